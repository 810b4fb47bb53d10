// SPDX-License-Identifier: GPL-3.0-or-later
// One workbook cell: whatever the note, the cell is well-formed XML 1.0 that a reader takes
// back as the note less the characters XML cannot hold.
#include "FuzzInput.h"

#include "export/XLSXExporter.h"

#include <QXmlStreamReader>

#include <cstdlib>

namespace {

// The characters XML 1.0 can hold; the cell leaves out the others.
QString holdable(const QString &text)
{
    QString kept;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            kept += c;
            kept += text.at(++i);
            continue;
        }
        const char16_t u = c.unicode();
        if (c.isSurrogate() || u == 0xfffe || u == 0xffff || (u < 0x20 && u != 0x9 && u != 0xa && u != 0xd))
            continue;
        kept += c;
    }
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString note = fuzzText(data, size);
    const QString cell = XLSXExporter::cellXML(5, 2, note);

    QXmlStreamReader reader(cell);
    QString read;
    bool inText = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"t")
            inText = true;
        else if (reader.isEndElement() && reader.name() == u"t")
            inText = false;
        else if (inText && reader.isCharacters())
            read += reader.text();
    }
    if (reader.hasError())
        std::abort();
    // XML readers turn CR and CR LF into LF.
    QString expected = holdable(note);
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    read.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    if (read != expected)
        std::abort();
    return 0;
}
