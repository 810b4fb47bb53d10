// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "EntryHandOff.h"
#include "ImportColumnsOption.h"
#include "ImportHandOff.h"
#include "entry/NaturalLedgerParser.h"
#include "export/XLSXExporter.h"
#include "import/ImportFile.h"
#include "model/EntryKind.h"
#include "model/LedgerEntry.h"
#include "model/Money.h"
#include "model/ProgramLocale.h"
#include "model/RecordId.h"
#include "reminder/SessionBus.h"
#include "settings/ImportPreview.h"
#include "store/ModelStore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

int fail(const QString &message)
{
    print(stderr, u"pennyloom: "_s + message);
    return 1;
}

// The sentence is every word after the command, so an unquoted 打车 36.5 works as well.
QString sentenceOf(const QStringList &positional)
{
    return positional.mid(1).join(u' ').trimmed();
}

QString noAmountMessage(const QString &sentence)
{
    return u"没有在“%1”里找到金额，请写上一个大于 0 的数，例如“午饭花了32元”。"_s.arg(sentence);
}

// One word for a POSIX shell, whatever the text holds.
QString shellWord(const QString &text)
{
    QString quoted = text;
    return u'\'' + quoted.replace(u"'"_s, u"'\\''"_s) + u'\'';
}

// The id an entry is stored under, given back to a retry so the retry cannot store it twice.
std::optional<QUuid> canonicalId(const QString &text)
{
    const QUuid id = QUuid::fromString(text);
    if (id.isNull() || id.toString(QUuid::WithoutBraces) != text)
        return std::nullopt;
    return id;
}

// A retry whose first try did land: what the store holds is shown, not what this sentence says,
// which may differ from it.
int alreadyStored(const QUuid &id)
{
    const QString idWord = id.toString(QUuid::WithoutBraces);
    QString message = u"编号为 %1 的账已经记下过，这次没有再记。"_s.arg(idWord);
    QString error;
    const std::unique_ptr<ModelStore> store = ModelStore::openReadOnly(ModelStore::defaultPath(), &error);
    if (const LedgerEntry *stored = store ? store->find<LedgerEntry>(id) : nullptr)
        message += u"记下的是：\n"_s + CommandLine::describe(ParsedLedgerEntry(
                                           stored->amount, stored->kind(), stored->category, stored->note));
    print(stdout, message);
    return 0;
}

int add(const QString &sentence, const QString &idText)
{
    if (sentence.isEmpty())
        return fail(u"请给出要记的一句话，例如：pennyloom add \"午饭花了32元\""_s);
    std::optional<QUuid> id;
    if (!idText.isNull() && !(id = canonicalId(idText)))
        return fail(u"“%1”不是这笔账的编号：编号形如 %2（小写）。这笔账没有记下。"_s.arg(
            idText, RecordId::fresh().toString(QUuid::WithoutBraces)));
    const std::optional<ParsedLedgerEntry> draft = NaturalLedgerParser::parse(sentence);
    if (!draft)
        return fail(noAmountMessage(sentence) + u"这笔账没有记下。"_s);
    LedgerEntry entry(draft->amount, draft->kind, draft->category, draft->note);
    if (id)
        entry.id = *id;
    // A stopped bus daemon would hold the connect forever; without a bus the entry goes to
    // the file, or waits for the window's lock as long as any window would answer.
    SessionBus::guard(3s);
    EntryHandOff handOff(ModelStore::defaultPath(), QDBusConnection::sessionBus());
    const EntryHandOff::Result result = handOff.deliver(entry, 20s);
    switch (result.status) {
    case EntryHandOff::Status::stored:
        if (result.alreadyStored)
            return alreadyStored(entry.id);
        break;
    case EntryHandOff::Status::notStored:
        return fail(result.message);
    case EntryHandOff::Status::unknown: {
        const QString idWord = entry.id.toString(QUuid::WithoutBraces);
        return fail(
            result.message +
            u"\n这笔账的编号是 %1。稍后用同一个编号再记一次，已经记下的不会重复：\n  pennyloom add --id %1 %2"_s
                .arg(idWord, shellWord(sentence)));
    }
    }
    print(stdout, u"已记下这笔账：\n"_s + CommandLine::describe(*draft));
    return 0;
}

int parse(const QString &sentence, bool asJson)
{
    if (sentence.isEmpty())
        return fail(u"请给出要识别的一句话，例如：pennyloom parse \"午饭花了32元\""_s);
    const std::optional<ParsedLedgerEntry> draft = NaturalLedgerParser::parse(sentence);
    if (!draft)
        return fail(noAmountMessage(sentence));
    print(stdout, asJson ? QString::fromUtf8(CommandLine::json(*draft)) : CommandLine::describe(*draft));
    return 0;
}

// Reads the entries without taking the data folder's lock: a reader never disturbs the window
// that may hold it, and a store that does not exist yet is not created just to be read. The
// store is opened only to read, so one the user may read but not write exports as well.
int exportWorkbook(const QString &target)
{
    const QString storePath = ModelStore::defaultPath();
    std::unique_ptr<ModelStore> store;
    if (QFileInfo::exists(storePath)) {
        QString error;
        store = ModelStore::openReadOnly(storePath, &error);
        if (!store)
            return fail(error);
    }
    const RecordRange<LedgerEntry> entries =
        store ? RecordRange<LedgerEntry>(store->entries()) : RecordRange<LedgerEntry>();

    QString error;
    QString written;
    if (target.isEmpty() || QFileInfo(target).isDir()) {
        const QString folder = target.isEmpty() ? QDir::currentPath() : target;
        const std::optional<QString> path = XLSXExporter::exportEntries(entries, folder, &error);
        if (!path)
            return fail(error);
        written = *path;
    } else {
        if (!XLSXExporter::exportTo(entries, target, &error))
            return fail(error);
        written = target;
    }
    print(stdout, u"已导出 %1 笔账单到 %2"_s.arg(entries.size())
                      .arg(QDir::toNativeSeparators(QFileInfo(written).absoluteFilePath())));
    return 0;
}

QString sourceName(ImportSource source)
{
    switch (source) {
    case ImportSource::wechat:
        return u"微信支付"_s;
    case ImportSource::alipay:
        return u"支付宝"_s;
    case ImportSource::qif:
        return u"QIF 文件"_s;
    case ImportSource::ofx:
        return u"OFX 对账单"_s;
    case ImportSource::csv:
        break;
    }
    return u"其他表格"_s;
}

QString statusId(ImportPreview::Status status)
{
    switch (status) {
    case ImportPreview::Status::fresh:
        break;
    case ImportPreview::Status::alreadyImported:
        return u"duplicate"_s;
    case ImportPreview::Status::possibleDuplicate:
        return u"possibleDuplicate"_s;
    }
    return u"new"_s;
}

QString skipId(ImportSkipReason reason)
{
    switch (reason) {
    case ImportSkipReason::neutral:
        break;
    case ImportSkipReason::failedOrClosed:
        return u"failedOrClosed"_s;
    case ImportSkipReason::refunded:
        return u"refunded"_s;
    case ImportSkipReason::refundOfRefunded:
        return u"refundOfRefunded"_s;
    case ImportSkipReason::refundNetted:
        return u"refundNetted"_s;
    case ImportSkipReason::summary:
        return u"summary"_s;
    case ImportSkipReason::remark:
        return u"remark"_s;
    case ImportSkipReason::foreignCurrency:
        return u"foreignCurrency"_s;
    }
    return u"neutral"_s;
}

// Cents as a decimal text, exactly: 2550 is "25.50".
QString centsText(qint64 cents)
{
    return u"%1.%2"_s.arg(cents / 100).arg(cents % 100, 2, 10, QChar(u'0'));
}

QString importReport(const QString &fileName, const ImportPreview &preview, bool dryRun, int imported)
{
    const ImportResult &result = preview.result();
    QStringList lines;
    lines << u"“%1”：%2，%3"_s.arg(fileName, sourceName(result.source), result.encoding);
    lines << u"新记录：%1 笔"_s.arg(preview.count(ImportPreview::Status::fresh));
    lines << u"已导入过：%1 笔"_s.arg(preview.count(ImportPreview::Status::alreadyImported));
    lines << u"可能重复：%1 笔（不导入）"_s.arg(preview.count(ImportPreview::Status::possibleDuplicate));
    for (const ImportSkipReason reason :
         {ImportSkipReason::neutral, ImportSkipReason::failedOrClosed, ImportSkipReason::refunded})
        lines
            << u"%1：%2 笔（不导入）"_s.arg(ImportResult::reasonText(reason)).arg(result.skippedFor(reason));
    for (const ImportSkippedSection &section : result.skippedSections)
        lines << u"跳过 %1 部分：%2 条（不是账单）"_s.arg(section.section).arg(section.records);
    if (!result.unmatchedCategories.isEmpty())
        lines << u"没有对应分类的文件分类：%1 个（%2）"_s.arg(result.unmatchedCategories.size())
                     .arg(result.unmatchedCategories.join(u"、"_s));
    // The rarer reasons only when they occur; each currency on its own line.
    for (const auto &[text, count] : result.skippedByText()) {
        if (text != ImportResult::reasonText(ImportSkipReason::neutral) &&
            text != ImportResult::reasonText(ImportSkipReason::failedOrClosed) &&
            text != ImportResult::reasonText(ImportSkipReason::refunded))
            lines << u"%1：%2 笔（不导入）"_s.arg(text).arg(count);
    }
    lines << u"无法读取：%1 行"_s.arg(result.errors.size());
    for (const ImportRowError &error : result.errors)
        lines << u"  第 %1 行：%2"_s.arg(error.line).arg(error.reason);
    if (!result.damage.isEmpty())
        lines << u"文件已损坏：%1"_s.arg(result.damage);
    lines << (dryRun ? u"试运行，没有写入。"_s : u"已导入 %1 笔。"_s.arg(imported));
    return lines.join(u'\n');
}

QByteArray importJson(const QString &fileName, const ImportPreview &preview, bool dryRun, int imported)
{
    const ImportResult &result = preview.result();
    QJsonObject skipped;
    for (const ImportSkipReason reason : ImportResult::reasons())
        skipped.insert(skipId(reason), result.skippedFor(reason));
    QJsonObject currencies;
    for (const ImportSkip &skip : result.skipped) {
        if (skip.reason == ImportSkipReason::foreignCurrency)
            currencies.insert(skip.detail, currencies.value(skip.detail).toInt() + 1);
    }
    QJsonArray errors;
    for (const ImportRowError &error : result.errors)
        errors.append(QJsonObject{{u"line"_s, error.line}, {u"reason"_s, error.reason}});
    QJsonArray rows;
    for (size_t i = 0; i < result.rows.size(); ++i) {
        const ImportRow &row = result.rows[i];
        rows.append(QJsonObject{
            {u"date"_s, row.time.toOffsetFromUtc(row.time.offsetFromUtc()).toString(Qt::ISODate)},
            {u"kind"_s, EntryKinds::rawText(row.kind)},
            {u"category"_s, row.category},
            {u"amount"_s, centsText(row.cents)},
            {u"note"_s, row.note},
            {u"source"_s, ImportSources::id(row.source)},
            {u"transactionId"_s, row.transactionId},
            {u"status"_s, statusId(preview.statuses()[i])},
        });
    }
    QJsonArray sections;
    for (const ImportSkippedSection &section : result.skippedSections)
        sections.append(QJsonObject{{u"section"_s, section.section}, {u"records"_s, section.records}});
    const QJsonObject counts{
        {u"new"_s, preview.count(ImportPreview::Status::fresh)},
        {u"duplicate"_s, preview.count(ImportPreview::Status::alreadyImported)},
        {u"possibleDuplicate"_s, preview.count(ImportPreview::Status::possibleDuplicate)},
        {u"skipped"_s, skipped},
        {u"foreignCurrencies"_s, currencies},
        {u"unreadable"_s, int(result.errors.size())},
        {u"skippedSections"_s, sections},
        {u"unmatchedCategories"_s, int(result.unmatchedCategories.size())},
    };
    QJsonObject report{
        {u"file"_s, fileName},
        {u"source"_s, ImportSources::id(result.source)},
        {u"encoding"_s, result.encoding},
        {u"dryRun"_s, dryRun},
        {u"imported"_s, imported},
        {u"counts"_s, counts},
        {u"errors"_s, errors},
        {u"rows"_s, rows},
        {u"unmatchedCategories"_s, QJsonArray::fromStringList(result.unmatchedCategories)},
    };
    if (!result.damage.isEmpty())
        report.insert(u"damage"_s, QJsonObject{{u"line"_s, result.damageLine}, {u"reason"_s, result.damage}});
    return QJsonDocument(report).toJson(QJsonDocument::Compact);
}

// The file is read once, and the store loaded once: a dry run reads the store without its lock,
// as export does; an import hands the file's bytes to the window when one holds the store, else
// reads the file against the store it writes, under the lock. The report counts what that one
// reading found, which is what was imported. A table read by chosen columns, and a file whose
// dates may be day or month first, are read once more beforehand, against the store as it is,
// so that a file the import would refuse is refused before anything is written.
struct ImportChoices {
    QString map;
    bool expensePositive = false;
    std::optional<ImportDateOrder> dateOrder;
    bool takeBeforeDamage = false;
    bool any() const { return !map.isEmpty() || expensePositive; }
};

int importFile(const QString &argument, bool dryRun, bool asJson, const ImportChoices &choices)
{
    if (argument.isEmpty())
        return fail(u"请给出要导入的文件，例如：pennyloom import 微信支付账单.csv"_s);
    const QString path = QFileInfo(argument).absoluteFilePath();
    const QString storePath = ModelStore::defaultPath();
    QByteArray bytes;
    QString readError;
    if (!ImportFile::readBytes(path, ImportLimits(), &bytes, &readError))
        return fail(readError);
    ImportFile file = ImportFile::fromBytes(bytes, QFileInfo(path).fileName());
    file.takeBeforeDamage = choices.takeBeforeDamage;
    if (!file.ok())
        return fail(file.error);
    const bool table = file.layout == ImportFile::Layout::table;
    if (choices.any() && !table)
        return fail(u"--map 与 --expense-positive 只用于其他 CSV 或 xlsx 表格，“%1”的列是已知的。"_s.arg(
            file.fileName));
    ImportHandOff::Reading reading;
    reading.dateOrder = choices.dateOrder.value_or(ImportDateOrder::automatic);
    std::optional<ImportPreview> checked;
    if (table || file.layout == ImportFile::Layout::qif) {
        std::unique_ptr<ModelStore> store;
        if (QFileInfo::exists(storePath)) {
            QString error;
            store = ModelStore::openReadOnly(storePath, &error);
            if (!store)
                return fail(error);
        }
        if (table) {
            ColumnMapping mapping = ImportPreview::mappingFor(store.get(), file);
            if (!choices.map.isEmpty()) {
                QString error;
                const std::optional<ColumnMapping> chosen =
                    ImportColumnsOption::apply(choices.map, file.header, mapping, &error);
                if (!chosen)
                    return fail(u"“%1”：%2"_s.arg(file.fileName, error));
                mapping = *chosen;
            }
            if (choices.expensePositive)
                mapping.expensePositive = true;
            if (!mapping.isComplete())
                return fail(ImportColumnsOption::missingColumns(file.fileName, file.header, mapping));
            if (choices.any())
                reading.mapping = mapping;
        }
        checked.emplace(ImportPreview::read(store.get(), file, reading.mapping, reading.dateOrder));
        if (!checked->result().ok())
            return fail(checked->result().fileError);
        if (checked->result().dateOrderAmbiguous && !choices.dateOrder)
            return fail(ImportColumnsOption::ambiguousDates(file.fileName));
    }

    std::optional<ImportPreview> preview;
    int imported = 0;
    if (dryRun && checked) {
        preview = std::move(checked);
    } else if (dryRun) {
        std::unique_ptr<ModelStore> store;
        if (QFileInfo::exists(storePath)) {
            QString error;
            store = ModelStore::openReadOnly(storePath, &error);
            if (!store)
                return fail(error);
        }
        preview.emplace(ImportPreview::read(store.get(), file, reading.mapping, reading.dateOrder));
    } else {
        checked.reset();
        // A file that cannot be read leaves no new, empty store behind.
        if (!QFileInfo::exists(storePath)) {
            if (ImportPreview unread = ImportPreview::read(nullptr, file, reading.mapping, reading.dateOrder);
                !unread.result().ok())
                return fail(unread.result().fileError);
        }
        SessionBus::guard(3s);
        ImportHandOff handOff(storePath, QDBusConnection::sessionBus());
        const ImportHandOff::Result result = handOff.deliver(file, bytes, reading, 120s, &preview, asJson);
        if (result.status != ImportHandOff::Status::imported)
            return fail(result.message);
        imported = result.count;
    }
    if (!preview->result().ok())
        return fail(preview->result().fileError);
    print(stdout, asJson ? QString::fromUtf8(importJson(file.fileName, *preview, dryRun, imported))
                         : importReport(file.fileName, *preview, dryRun, imported));
    // Not one line read, as a bill or as a line left out for its reason.
    const int lines = preview->count(ImportPreview::Status::fresh) +
                      preview->count(ImportPreview::Status::alreadyImported) +
                      preview->count(ImportPreview::Status::possibleDuplicate);
    if (lines == 0 && preview->result().skipped.empty())
        return fail(u"“%1”里没有读到任何一行账目。"_s.arg(file.fileName));
    return 0;
}

} // namespace

bool CommandLine::handles(int argc, char **argv)
{
    if (argc < 2)
        return false;
    const char *first = argv[1];
    if (first[0] != '-')
        return true;
    // The window's own option and Qt's, with one dash or two and a value after '=' or not,
    // start the window; any other option is ours to answer, a mistyped one with an error
    // rather than a window that cannot open without a display.
    std::string_view name(first + (first[1] == '-' ? 2 : 1));
    name = name.substr(0, name.find('='));
    static constexpr std::string_view windowOptions[] = {"quit-after-first-paint",
                                                         "add",
                                                         "platform",
                                                         "platformpluginpath",
                                                         "platformtheme",
                                                         "plugin",
                                                         "qmljsdebugger",
                                                         "qwindowgeometry",
                                                         "qwindowicon",
                                                         "qwindowtitle",
                                                         "reverse",
                                                         "session",
                                                         "style",
                                                         "stylesheet",
                                                         "widgetcount",
                                                         "display",
                                                         "geometry",
                                                         "name",
                                                         "title",
                                                         "visual",
                                                         "ncols",
                                                         "cmap",
                                                         "nograb",
                                                         "dograb",
                                                         "sync",
                                                         "fontengine"};
    return std::find(std::begin(windowOptions), std::end(windowOptions), name) == std::end(windowOptions);
}

QString CommandLine::describe(const ParsedLedgerEntry &draft)
{
    return u"金额：%1\n类型：%2\n分类：%3\n备注：%4"_s.arg(
        Money::text(draft.amount), EntryKinds::rawText(draft.kind), draft.category, draft.note);
}

QByteArray CommandLine::json(const ParsedLedgerEntry &draft)
{
    const QJsonObject object{{u"amount"_s, draft.amount},
                             {u"kind"_s, EntryKinds::rawText(draft.kind)},
                             {u"category"_s, draft.category},
                             {u"note"_s, draft.note}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

int CommandLine::run(int &argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(u"Pennyloom"_s);
    QCoreApplication::setApplicationName(u"Pennyloom"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(PENNYLOOM_VERSION));
    // Amounts print in yuan the way the window shows them, even from a bare C locale.
    ProgramLocale::applyWhenUnset();

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Pennyloom 记账。不带参数时打开窗口。\n\n"
        "命令：\n"
        "  add [--id 编号] \"一句话\"\n"
        "      识别这句话并记下一笔账，日期为现在；窗口开着时交给窗口保存。\n"
        "      用上次给出的编号重试时，已经记下的不会再记一次\n"
        "  parse \"一句话\" [--json]\n"
        "      只显示识别出的金额、类型、分类和备注，不保存\n"
        "  export [文件]\n"
        "      把全部账单导出为 .xlsx 工作簿，默认存到当前文件夹\n"
        "  import 文件 [--dry-run] [--json] [--map 栏目=列名,...] [--expense-positive]\n"
        "         [--date-order dmy|mdy] [--take-before-damage]\n"
        "      导入微信支付账单（CSV、xlsx）、支付宝账单（CSV）、QIF 文件、OFX 与 QFX\n"
        "      对账单，或其他 CSV、xlsx 表格（如银行流水），显示新记录、已导入过、\n"
        "      可能重复与每种未导入原因的笔数；已导入过的与可能重复的不导入。\n"
        "      窗口开着时交给窗口导入，可在窗口中撤销。--dry-run 只显示不写入。\n"
        "      表格的列：--map date=交易日,amount=交易金额,note=交易摘要（栏目有 date、\n"
        "      time、amount、income、expense、kind、category、note、counterparty、\n"
        "      currency）；--expense-positive 正数为支出（信用卡账单）；\n"
        "      --date-order 日期 03/04/2024 是日/月/年（dmy）还是月/日/年（mdy）；\n"
        "      工作表损坏时默认不导入，--take-before-damage 导入损坏处之前的行\n"
        "  --add\n"
        "      打开窗口并打开记一笔；窗口已开着时，在那个窗口里打开\n"
        "  --remind\n"
        "      发出每日记账提醒（供定时器使用）\n"
        "  --restore 文件\n"
        "      用一份备份替换数据文件，原来的文件留在备份中"_s);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption jsonOption(u"json"_s, u"parse 与 import 以 JSON 输出。"_s);
    parser.addOption(jsonOption);
    const QCommandLineOption dryRunOption(u"dry-run"_s, u"import 只显示结果，不写入。"_s);
    parser.addOption(dryRunOption);
    const QCommandLineOption damageOption(u"take-before-damage"_s,
                                          u"import 的工作表损坏时，仍导入损坏处之前的行。"_s);
    parser.addOption(damageOption);
    const QCommandLineOption mapOption(
        u"map"_s, u"import 表格各栏所在的列，如 date=交易日,amount=交易金额。"_s, u"栏目=列名,..."_s);
    parser.addOption(mapOption);
    const QCommandLineOption expensePositiveOption(u"expense-positive"_s, u"import 表格的正数金额为支出。"_s);
    parser.addOption(expensePositiveOption);
    const QCommandLineOption dateOrderOption(u"date-order"_s, u"import 日期的顺序：dmy 或 mdy。"_s,
                                             u"顺序"_s);
    parser.addOption(dateOrderOption);
    const QCommandLineOption idOption(u"id"_s, u"add 记账时用的编号，用于重试。"_s, u"编号"_s);
    parser.addOption(idOption);
    // Their proper forms never get here; any other use of them is answered with how to use them.
    const QCommandLineOption remindOption(u"remind"_s, u"发出每日记账提醒。"_s);
    parser.addOption(remindOption);
    const QCommandLineOption restoreOption(u"restore"_s, u"用备份恢复数据文件。"_s, u"文件"_s);
    parser.addOption(restoreOption);
    parser.addPositionalArgument(u"命令"_s, u"add、parse、export 或 import。"_s, u"命令"_s);
    parser.addPositionalArgument(u"参数"_s, u"add 与 parse 的一句话，或 export、import 的文件。"_s,
                                 u"[参数...]"_s);
    parser.process(app);

    const QStringList positional = parser.positionalArguments();
    const QString command = positional.value(0);
    if (parser.isSet(remindOption))
        return fail(u"--remind 不带其他参数：pennyloom --remind"_s);
    if (parser.isSet(restoreOption))
        return fail(u"--restore 只带一个文件，也不带其他参数：pennyloom --restore 文件"_s);
    if (parser.isSet(jsonOption) && command != u"parse"_s && command != u"import"_s)
        return fail(u"--json 只用于 parse 与 import。"_s);
    if (parser.isSet(dryRunOption) && command != u"import"_s)
        return fail(u"--dry-run 只用于 import。"_s);
    for (const QCommandLineOption *option :
         {&mapOption, &expensePositiveOption, &dateOrderOption, &damageOption}) {
        if (parser.isSet(*option) && command != u"import"_s)
            return fail(u"--%1 只用于 import。"_s.arg(option->names().constFirst()));
    }
    if (parser.isSet(idOption) && command != u"add"_s)
        return fail(u"--id 只用于 add。"_s);
    if (command.isEmpty())
        return fail(u"缺少命令。可用的命令见 pennyloom --help。"_s);
    if (command == u"add"_s)
        return add(sentenceOf(positional), parser.isSet(idOption) ? parser.value(idOption) : QString());
    if (command == u"parse"_s)
        return parse(sentenceOf(positional), parser.isSet(jsonOption));
    if (command == u"export"_s) {
        if (positional.size() > 2)
            return fail(u"export 只接受一个文件。"_s);
        return exportWorkbook(positional.value(1));
    }
    if (command == u"import"_s) {
        if (positional.size() > 2)
            return fail(u"import 一次只导入一个文件。"_s);
        ImportChoices choices;
        choices.map = parser.value(mapOption);
        choices.expensePositive = parser.isSet(expensePositiveOption);
        choices.takeBeforeDamage = parser.isSet(damageOption);
        if (parser.isSet(dateOrderOption)) {
            choices.dateOrder = ImportColumnsOption::dateOrder(parser.value(dateOrderOption));
            if (!choices.dateOrder)
                return fail(u"--date-order 只能是 dmy（日/月/年）或 mdy（月/日/年）。"_s);
        }
        return importFile(positional.value(1), parser.isSet(dryRunOption), parser.isSet(jsonOption), choices);
    }
    return fail(u"未知的命令“%1”。可用的命令见 pennyloom --help。"_s.arg(command));
}
