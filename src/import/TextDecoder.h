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

} // namespace TextDecoder
