#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the synthetic workbooks the import tests read: a WeChat Pay bill as .xlsx (shared and
# inline strings, one time as a day number and one as text, an amount as a number written
# with seventeen digits as spreadsheet programs do, the sheet under a name found only
# through the workbook's relationships), a workbook whose sheet inflates to 3 MiB and a bank
# table whose sheet XML breaks (a stray "<") in row 8.
#   python3 make-workbooks.py   (in this folder)
import datetime
import zipfile
from xml.sax.saxutils import escape

CONTENT_TYPES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
<Override PartName="/xl/worksheets/bill.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>
</Types>"""
ROOT_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>
</Relationships>"""
WORKBOOK = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<workbookPr/><sheets><sheet name="账单" sheetId="1" r:id="rId3"/></sheets></workbook>"""
WORKBOOK_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>
<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/bill.xml"/>
</Relationships>"""


def day_number(text):
    moment = datetime.datetime.fromisoformat(text)
    delta = moment - datetime.datetime(1899, 12, 30)
    return repr(delta.days + delta.seconds / 86400)


def column(index):
    return chr(ord('A') + index)


def workbook(path, rows, padding=0, damaged_row=None):
    strings = []

    def shared(text):
        if text not in strings:
            strings.append(text)
        return strings.index(text)

    sheet = ['<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
             '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>']
    for number, row in enumerate(rows, start=1):
        sheet.append(f'<row r="{number}">' + ('<' if number == damaged_row else ''))
        for index, cell in enumerate(row):
            ref = f'{column(index)}{number}'
            if cell is None:
                continue
            kind, value = cell
            if kind == 'n':
                sheet.append(f'<c r="{ref}" s="1"><v>{value}</v></c>')
            elif kind == 'inline':
                sheet.append(f'<c r="{ref}" t="inlineStr"><is><t>{escape(value)}</t></is></c>')
            else:
                sheet.append(f'<c r="{ref}" t="s"><v>{shared(value)}</v></c>')
        sheet.append('</row>')
    sheet.append('</sheetData>' + ' ' * padding + '</worksheet>')
    shared_xml = ['<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
                  f'<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="{len(strings)}">']
    for text in strings:
        shared_xml.append(f'<si><t>{escape(text)}</t></si>')
    shared_xml.append('</sst>')
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as archive:
        archive.writestr('[Content_Types].xml', CONTENT_TYPES)
        archive.writestr('_rels/.rels', ROOT_RELS)
        archive.writestr('xl/workbook.xml', WORKBOOK)
        archive.writestr('xl/_rels/workbook.xml.rels', WORKBOOK_RELS)
        archive.writestr('xl/sharedStrings.xml', ''.join(shared_xml))
        archive.writestr('xl/worksheets/bill.xml', ''.join(sheet))


def s(text):
    return ('s', text)


header = ['交易时间', '交易类型', '交易对方', '商品', '收/支', '金额(元)', '支付方式', '当前状态', '交易单号', '商户单号', '备注']
rows = [
    [s('微信支付账单明细')],
    [s('微信昵称：[小林]')],
    [s('----------------------微信支付账单明细列表--------------------')],
    [s(h) for h in header],
    [('n', day_number('2024-03-31 12:05:00')), s('商户消费'), ('inline', '晨光烘焙'), s('早餐'), s('支出'), ('n', '25.300000000000001'),
     s('零钱'), s('支付成功'), s('4200000101202403311205'), s('40000101'), s('/')],
    [s('2024-03-30 09:00:00'), s('商户消费'), ('inline', '城市轨道交通'), s('地铁乘车码'), s('支出'), s('¥12.00'),
     s('零钱'), s('已退款(¥2.00)'), s('4200000102202403300900'), s('40000102'), s('/')],
    [s('2024-03-29 10:00:00'), s('零钱充值'), s('招商银行(0001)'), s('/'), s('/'), s('¥50.00'), s('零钱'),
     s('充值完成'), s('1000060103202403291000'), s('/'), s('/')],
]
workbook('wechat.xlsx', rows)
workbook('inflates.xlsx', rows, padding=3 * 1024 * 1024)

bank = [[s('日期'), s('金额'), s('备注')]] + [
    [s(f'2024-03-{day:02d}'), ('n', f'-{day}.5'), ('inline', '午饭')] for day in range(1, 11)]
workbook('damaged-sheet.xlsx', bank, damaged_row=8)
