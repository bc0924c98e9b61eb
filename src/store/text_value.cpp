#include "store/text_value.h"

#include "model/leading_number.h"

namespace ssq {

double numberOf(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return leadingNumber(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

} // namespace ssq
