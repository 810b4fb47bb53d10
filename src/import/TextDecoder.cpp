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
qsizetype validUtf8Prefix(const QByteArray &bytes, bool *cutShort)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
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

// GB18030 text, or nothing when a byte sequence is not GB18030; a sequence cut short at the
// end is dropped.
std::optional<QString> fromGb18030(const QByteArray &bytes)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> converter(ucnv_open("GB18030", &status));
    if (U_FAILURE(status))
        return std::nullopt;
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    if (U_FAILURE(status))
        return std::nullopt;
    // Each GB18030 sequence of n bytes gives at most n UTF-16 units.
    QString text(bytes.size() + 1, Qt::Uninitialized);
    const char *source = bytes.constData();
    const char *sourceEnd = source + bytes.size();
    auto *target = reinterpret_cast<UChar *>(text.data());
    UChar *const targetStart = target;
    ucnv_toUnicode(converter.get(), &target, targetStart + text.size(), &source, sourceEnd, nullptr, false,
                   &status);
    if (U_FAILURE(status))
        return std::nullopt;
    // What remains in the converter is an incomplete sequence at the end of the file.
    text.truncate(target - targetStart);
    return text;
}

} // namespace

TextDecoder::Decoded TextDecoder::decode(const QByteArray &bytes)
{
    Decoded decoded;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        const QByteArray rest = bytes.mid(3);
        bool cutShort = false;
        const qsizetype valid = validUtf8Prefix(rest, &cutShort);
        if (valid < rest.size() && !cutShort) {
            decoded.error = u"文件标明是 UTF-8 编码，却含有不是 UTF-8 的字节"_s;
            return decoded;
        }
        decoded.text = QString::fromUtf8(rest.constData(), valid);
        decoded.encoding = u"UTF-8 BOM"_s;
        return decoded;
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        decoded.error = u"文件是 UTF-16 编码；请把它另存为 UTF-8 或 GB18030 编码的 CSV"_s;
        return decoded;
    }
    if (bytes.left(64 * 1024).contains('\0')) {
        decoded.error = u"文件不是文本，也不是 xlsx 表格"_s;
        return decoded;
    }
    bool cutShort = false;
    const qsizetype valid = validUtf8Prefix(bytes, &cutShort);
    if (valid == bytes.size() || cutShort) {
        decoded.text = QString::fromUtf8(bytes.constData(), valid);
        decoded.encoding = u"UTF-8"_s;
        return decoded;
    }
    if (std::optional<QString> text = fromGb18030(bytes)) {
        decoded.text = std::move(*text);
        decoded.encoding = u"GB18030"_s;
        return decoded;
    }
    decoded.error = u"无法识别文件的编码：既不是 UTF-8，也不是 GB18030"_s;
    return decoded;
}
