#pragma once
// Qt's own texts (standard buttons, file dialogs, print preview) and dates in Chinese, like the
// program's.

class QCoreApplication;

namespace ssq {

// Makes Chinese (China) the program's locale and loads Qt's Chinese translations into `app`;
// false when they are not installed, in which case Qt's own texts stay English.
bool installChineseTranslations(QCoreApplication& app);

} // namespace ssq
