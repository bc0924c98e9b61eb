#pragma once
// Qt's own texts (standard buttons, file dialogs, print preview) in Chinese, like the program's.

class QCoreApplication;

namespace ssq {

// Loads Qt's Chinese translations into `app`; false when they are not installed, in which case
// Qt's own texts stay English and nothing else changes.
bool installChineseTranslations(QCoreApplication& app);

} // namespace ssq
