// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Turns the bytes of a text file into text, recognising the encoding from the bytes alone:
// UTF-8 with a byte order mark, then valid UTF-8, then GB18030 (which the older Chinese
// exports use; it covers GBK and GB2312).
namespace TextDecoder {

struct Decoded {
    QString text;
    // "UTF-8 BOM", "UTF-8" or "GB18030"; empty when error is set.
    QString encoding;
    // Why the bytes are no text this program reads (binary, UTF-16, neither encoding).
    QString error;
};

// A sequence cut off at the very end (a file truncated in the middle of a character) is
// dropped rather than failing the whole file.
Decoded decode(const QByteArray &bytes);

// The same text as UTF-8 bytes, from begin to end: a UTF-8 file's own bytes (shared, not
// copied), a GB18030 file's converted. A large file's text held as UTF-16 would take twice
// its size again.
struct Utf8Text {
    QByteArray bytes;
    qsizetype begin = 0;
    qsizetype end = 0;
    QString encoding;
    QString error;
};
Utf8Text toUtf8(const QByteArray &bytes);

} // namespace TextDecoder
