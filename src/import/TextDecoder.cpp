// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextDecoder.h"

#include <unicode/ucnv.h>
#include <unicode/utypes.h>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// How many leading bytes form well-formed UTF-8 (no overlong forms, surrogates or values
// past U+10FFFF); *cutShort is set when the rest is only the start of a sequence.
qsizetype validUtf8Prefix(QByteArrayView bytes, bool *cutShort)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype at = 0;
    *cutShort = false;
    while (at < size) {
        const unsigned char lead = data[at];
        if (lead < 0x80) {
            ++at;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return at;
        }
        for (int i = 1; i < length; ++i) {
            if (at + i >= size) {
                *cutShort = true;
                return at;
            }
            const unsigned char next = data[at + i];
            if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF))
                return at;
        }
        at += length;
    }
    return at;
}

struct ConverterCloser {
    void operator()(UConverter *converter) const { ucnv_close(converter); }
};

// GB18030 converted to UTF-8, or nothing when a byte sequence is not GB18030; a sequence cut
// short at the end is dropped.
std::optional<QByteArray> gb18030ToUtf8(const QByteArray &bytes)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> from(ucnv_open("GB18030", &status));
    std::unique_ptr<UConverter, ConverterCloser> to(ucnv_open("UTF-8", &status));
    if (U_FAILURE(status))
        return std::nullopt;
    ucnv_setToUCallBack(from.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    if (U_FAILURE(status))
        return std::nullopt;
    // A GB18030 sequence of n bytes is at most 3n/2 bytes of UTF-8 (two bytes become three).
    QByteArray text(bytes.size() + bytes.size() / 2 + 4, Qt::Uninitialized);
    char *target = text.data();
    const char *source = bytes.constData();
    UChar pivot[4096];
    UChar *pivotSource = pivot;
    UChar *pivotTarget = pivot;
    ucnv_convertEx(to.get(), from.get(), &target, text.data() + text.size(), &source,
                   bytes.constData() + bytes.size(), pivot, &pivotSource, &pivotTarget, pivot + 4096, true,
                   false, &status);
    if (U_FAILURE(status))
        return std::nullopt;
    text.truncate(target - text.constData());
    if (text.capacity() - text.size() > text.size() / 8)
        text.squeeze();
    return text;
}

// Text files hold no NUL; one anywhere (not only near the start) marks a binary file, or a
// text in an encoding whose every character has a zero byte, and is refused with the line it
// is on, so it never ends up inside a note.
QString nulError(const QByteArray &bytes)
{
    const qsizetype at = bytes.indexOf('\0');
    if (at < 0)
        return {};
    const qsizetype line = QByteArrayView(bytes).first(at).count('\n') + 1;
    return u"文件不是文本，也不是 xlsx 表格：第 %1 行有空字符（NUL）"_s.arg(line);
}

} // namespace

TextDecoder::Utf8Text TextDecoder::toUtf8(const QByteArray &bytes)
{
    Utf8Text decoded;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        decoded.error = u"文件是 UTF-16 编码；请把它另存为 UTF-8 或 GB18030 编码的 CSV"_s;
        return decoded;
    }
    if (decoded.error = nulError(bytes); !decoded.error.isEmpty())
        return decoded;
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    bool cutShort = false;
    const QByteArrayView rest = QByteArrayView(bytes).sliced(bom ? 3 : 0);
    const qsizetype valid = validUtf8Prefix(rest, &cutShort);
    if (valid == rest.size() || cutShort) {
        decoded.bytes = bytes;
        decoded.begin = bom ? 3 : 0;
        decoded.end = decoded.begin + valid;
        decoded.encoding = bom ? u"UTF-8 BOM"_s : u"UTF-8"_s;
        return decoded;
    }
    if (bom) {
        decoded.error = u"文件标明是 UTF-8 编码，却含有不是 UTF-8 的字节"_s;
        return decoded;
    }
    if (std::optional<QByteArray> text = gb18030ToUtf8(bytes)) {
        decoded.bytes = std::move(*text);
        decoded.end = decoded.bytes.size();
        decoded.encoding = u"GB18030"_s;
        return decoded;
    }
    decoded.error = u"无法识别文件的编码：既不是 UTF-8，也不是 GB18030"_s;
    return decoded;
}

TextDecoder::Decoded TextDecoder::decode(const QByteArray &bytes)
{
    Utf8Text utf8 = toUtf8(bytes);
    Decoded decoded;
    decoded.error = std::move(utf8.error);
    if (!decoded.error.isEmpty())
        return decoded;
    decoded.text = QString::fromUtf8(utf8.bytes.constData() + utf8.begin, utf8.end - utf8.begin);
    decoded.encoding = std::move(utf8.encoding);
    return decoded;
}
