#include "platform/Text.h"

#include <QStringDecoder>

namespace plandeck {

QString FromFileText(std::string_view bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToFileText(const QString& text) {
    return text.toStdString();
}

QColor FromColourNumber(long value) {
    const unsigned long v = static_cast<unsigned long>(value) & 0xFFFFFFUL;
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

long ToColourNumber(const QColor& c) {
    return c.red() + 256L * c.green() + 65536L * c.blue();
}

} // namespace plandeck
