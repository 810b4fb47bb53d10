// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "entry/NaturalLedgerParser.h"
#include "entry/SmartEntryView.h"
#include "model/LedgerCategories.h"
#include "store/ModelStore.h"
#include "ui/EmptyState.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using TestSupport::local;
using TestSupport::openStore;
using TestSupport::retype;
using TestSupport::typeText;

namespace {

QDateTime fixedNow()
{
    return local(2024, 3, 5, 14, 30, 15);
}

// What the category menu shows: the chosen item, or the kept name outside the list.
QString shownCategory(const QComboBox *menu)
{
    return menu->currentIndex() >= 0 ? menu->currentText() : menu->placeholderText();
}

// Types the sentence over the old one and clicks 识别.
void recognize(SmartEntryView &sheet, const QString &sentence)
{
    retype(sheet.sentenceField(), sentence);
    QTest::mouseClick(sheet.recognizeButton(), Qt::LeftButton);
}

// The four draft controls of the card, as shown.
struct ShownDraft {
    QString kind;
    QString amount;
    QString category;
    QString note;

    explicit ShownDraft(const SmartEntryView &sheet)
        : kind(sheet.kindMenu()->currentText())
        , amount(sheet.amountField()->text())
        , category(shownCategory(sheet.categoryMenu()))
        , note(sheet.noteField()->text())
    {
    }
};

} // namespace

class SmartEntryTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsBlank();
    void typingShowsEmptyState_data();
    void typingShowsEmptyState();
    void recognizeAndConfirm();
    void returnRecognizesOnly();
    void confirmStoresEditedDraft();
    void noAmountFound();
    void incomeAfterExpense();
    void kindChangeInCard();
    void amountEnablesConfirm_data();
    void amountEnablesConfirm();
    void failureAfterSuccess();
    void closeStoresNothing_data();
    void closeStoresNothing();
    void editingSentenceKeepsCard();

private:
    bool openSheet();

    std::unique_ptr<TestSupport::ScopedClock> m_clock;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModelStore> m_store;
    std::unique_ptr<SmartEntryView> m_sheet;
};

void SmartEntryTest::init()
{
    m_clock = std::make_unique<TestSupport::ScopedClock>(fixedNow());
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_store = openStore(*m_dir);
    QVERIFY(m_store);
    m_sheet = std::make_unique<SmartEntryView>(*m_store);
    m_sheet->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_sheet.get()));
}

void SmartEntryTest::cleanup()
{
    m_sheet.reset();
    m_store.reset();
    m_dir.reset();
    m_clock.reset();
}

void SmartEntryTest::startsBlank()
{
    QCOMPARE(m_sheet->windowTitle(), u"大白话记账"_s);
    QVERIFY(m_sheet->sentenceField()->text().isEmpty());
    QVERIFY(m_sheet->sentenceField()->hasFocus());
    QVERIFY(!m_sheet->recognizeButton()->isEnabled());
    QVERIFY(!m_sheet->draftCard()->isVisible());
    QVERIFY(!m_sheet->emptyState()->isVisible());
    QVERIFY(!m_sheet->confirmButton()->isVisible());
}

void SmartEntryTest::typingShowsEmptyState_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("canRecognize");

    QTest::newRow("one blank") << u" "_s << false;
    QTest::newRow("several blanks") << u"   "_s << false;
    QTest::newRow("ideographic space") << u"\u3000"_s << false;
    QTest::newRow("one letter") << u"a"_s << true;
    QTest::newRow("words without amount") << u"买了面包"_s << true;
    QTest::newRow("blank then digit") << u" 5"_s << true;
}

// The empty state appears as soon as anything is typed, before any recognition, and stays
// after a recognition that finds nothing; it goes away again when the field is emptied.
void SmartEntryTest::typingShowsEmptyState()
{
    QFETCH(QString, typed);
    QFETCH(bool, canRecognize);

    typeText(m_sheet->sentenceField(), typed);
    QVERIFY(m_sheet->emptyState()->isVisible());
    QVERIFY(!m_sheet->draftCard()->isVisible());
    QCOMPARE(m_sheet->emptyState()->title(), u"还没识别到金额"_s);
    QCOMPARE(m_sheet->emptyState()->description(), u"请试试“花了 25 元买了面包”这样的表达。"_s);
    QCOMPARE(m_sheet->recognizeButton()->isEnabled(), canRecognize);

    if (!canRecognize) {
        // Return recognises even a blank sentence; it simply finds nothing.
        QTest::keyClick(m_sheet->sentenceField(), Qt::Key_Return);
        QVERIFY(m_sheet->isVisible());
        QVERIFY(!m_sheet->draftCard()->isVisible());
        QVERIFY(m_sheet->emptyState()->isVisible());
        QVERIFY(m_store->entries().empty());
    }

    retype(m_sheet->sentenceField(), QString());
    QVERIFY(!m_sheet->emptyState()->isVisible());
    QVERIFY(!m_sheet->draftCard()->isVisible());
    QVERIFY(!m_sheet->recognizeButton()->isEnabled());
}

// The whole path from a typed sentence to a stored entry that survives a restart.
void SmartEntryTest::recognizeAndConfirm()
{
    QSignalSpy accepted(m_sheet.get(), &QDialog::accepted);
    typeText(m_sheet->sentenceField(), u"今天花了25元买了面包"_s);
    QVERIFY(m_sheet->recognizeButton()->isEnabled());
    QTest::mouseClick(m_sheet->recognizeButton(), Qt::LeftButton);

    QVERIFY(m_sheet->draftCard()->isVisible());
    QVERIFY(!m_sheet->emptyState()->isVisible());
    const ShownDraft shown(*m_sheet);
    QCOMPARE(shown.kind, u"支出"_s);
    QCOMPARE(shown.amount, u"25.00"_s);
    QCOMPARE(shown.category, u"餐饮"_s);
    QCOMPARE(shown.note, u"面包"_s);
    QVERIFY(m_sheet->confirmButton()->isEnabled());
    QVERIFY(m_store->entries().empty());

    QTest::mouseClick(m_sheet->confirmButton(), Qt::LeftButton);
    QCOMPARE(accepted.count(), 1);
    QVERIFY(!m_sheet->isVisible());

    const auto check = [](const ModelStore &store) {
        QCOMPARE(store.entries().size(), size_t(1));
        const LedgerEntry &entry = store.entries().front();
        QCOMPARE(entry.amount, 25.0);
        QCOMPARE(entry.kindRaw, u"支出"_s);
        QCOMPARE(entry.category, u"餐饮"_s);
        QCOMPARE(entry.note, u"面包"_s);
        QCOMPARE(entry.date, fixedNow());
        QCOMPARE(entry.createdAt, fixedNow());
    };
    check(*m_store);
    if (QTest::currentTestFailed())
        return;
    const QUuid id = m_store->entries().front().id;

    m_sheet.reset();
    m_store.reset();
    m_store = openStore(*m_dir);
    QVERIFY(m_store);
    check(*m_store);
    QCOMPARE(m_store->entries().front().id, id);
}

// Return in the sentence field recognises; it never confirms the draft, even when the card
// is already showing.
void SmartEntryTest::returnRecognizesOnly()
{
    typeText(m_sheet->sentenceField(), u"打车 32.5"_s);
    QTest::keyClick(m_sheet->sentenceField(), Qt::Key_Return);
    QVERIFY(m_sheet->draftCard()->isVisible());
    QCOMPARE(ShownDraft(*m_sheet).amount, u"32.50"_s);

    QTest::keyClick(m_sheet->sentenceField(), Qt::Key_Return);
    QVERIFY(m_sheet->isVisible());
    QVERIFY(m_sheet->draftCard()->isVisible());
    QVERIFY(m_store->entries().empty());
}

// What is stored is the draft as edited in the card, dated at the moment of confirmation.
void SmartEntryTest::confirmStoresEditedDraft()
{
    recognize(*m_sheet, u"今天花了25元买了面包"_s);
    QVERIFY(m_sheet->draftCard()->isVisible());

    QTest::keyClick(m_sheet->categoryMenu(), Qt::Key_Down);
    QCOMPARE(shownCategory(m_sheet->categoryMenu()), u"购物"_s);
    retype(m_sheet->amountField(), u"30.5"_s);
    retype(m_sheet->noteField(), u"面包机"_s);
    m_clock->clock().advanceSeconds(90);

    QTest::mouseClick(m_sheet->confirmButton(), Qt::LeftButton);
    QCOMPARE(m_store->entries().size(), size_t(1));
    const LedgerEntry &entry = m_store->entries().front();
    QCOMPARE(entry.amount, 30.5);
    QCOMPARE(entry.kindRaw, u"支出"_s);
    QCOMPARE(entry.category, u"购物"_s);
    QCOMPARE(entry.note, u"面包机"_s);
    QCOMPARE(entry.date, fixedNow().addSecs(90));
}

void SmartEntryTest::noAmountFound()
{
    recognize(*m_sheet, u"花了"_s);

    QVERIFY(!m_sheet->draftCard()->isVisible());
    QVERIFY(m_sheet->emptyState()->isVisible());
    QVERIFY(m_sheet->isVisible());
    QVERIFY(m_store->entries().empty());
}

void SmartEntryTest::incomeAfterExpense()
{
    recognize(*m_sheet, u"今天花了25元买了面包"_s);
    QCOMPARE(ShownDraft(*m_sheet).kind, u"支出"_s);

    recognize(*m_sheet, u"收到奖金3000"_s);
    const ShownDraft shown(*m_sheet);
    QCOMPARE(shown.kind, u"收入"_s);
    QCOMPARE(shown.amount, u"3000.00"_s);
    QCOMPARE(shown.category, u"奖金"_s);
    // The menu now offers the income list, with the recognised category chosen in it.
    QCOMPARE(m_sheet->categoryMenu()->count(), LedgerCategories::incomes().size());
    QCOMPARE(m_sheet->categoryMenu()->currentIndex(), 1);

    QTest::mouseClick(m_sheet->confirmButton(), Qt::LeftButton);
    QCOMPARE(m_store->entries().size(), size_t(1));
    QCOMPARE(m_store->entries().front().kindRaw, u"收入"_s);
    QCOMPARE(m_store->entries().front().category, u"奖金"_s);
    QCOMPARE(m_store->entries().front().amount, 3000.0);
}

void SmartEntryTest::kindChangeInCard()
{
    recognize(*m_sheet, u"今天花了25元买了面包"_s);
    QTest::keyClick(m_sheet->categoryMenu(), Qt::Key_Down);
    QCOMPARE(shownCategory(m_sheet->categoryMenu()), u"购物"_s);

    QTest::keyClick(m_sheet->kindMenu(), Qt::Key_Down);
    QCOMPARE(m_sheet->kindMenu()->currentText(), u"收入"_s);
    QCOMPARE(shownCategory(m_sheet->categoryMenu()), u"工资"_s);
    QCOMPARE(m_sheet->categoryMenu()->itemText(m_sheet->categoryMenu()->count() - 1), u"其他收入"_s);

    QTest::keyClick(m_sheet->kindMenu(), Qt::Key_Up);
    QCOMPARE(m_sheet->kindMenu()->currentText(), u"支出"_s);
    QCOMPARE(shownCategory(m_sheet->categoryMenu()), u"餐饮"_s);

    // The other fields stay as recognised.
    QCOMPARE(m_sheet->amountField()->text(), u"25.00"_s);
    QCOMPARE(m_sheet->noteField()->text(), u"面包"_s);
}

void SmartEntryTest::amountEnablesConfirm_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("cleared") << QString() << false;
    QTest::newRow("zero") << u"0"_s << false;
    QTest::newRow("zero with decimals") << u"0.00"_s << false;
    QTest::newRow("negative") << u"-3"_s << false;
    QTest::newRow("trailing blank") << u"25 "_s << false;
    QTest::newRow("letters") << u"二十"_s << false;
    QTest::newRow("whole number") << u"26"_s << true;
    QTest::newRow("cents") << u"0.01"_s << true;
    QTest::newRow("exponent") << u"2e1"_s << true;
}

void SmartEntryTest::amountEnablesConfirm()
{
    QFETCH(QString, amount);
    QFETCH(bool, enabled);

    recognize(*m_sheet, u"今天花了25元买了面包"_s);
    retype(m_sheet->amountField(), amount);
    QCOMPARE(m_sheet->amountField()->text(), amount);
    QCOMPARE(m_sheet->confirmButton()->isEnabled(), enabled);

    QTest::mouseClick(m_sheet->confirmButton(), Qt::LeftButton);
    QCOMPARE(m_store->entries().size(), size_t(enabled ? 1 : 0));
    QCOMPARE(m_sheet->isVisible(), !enabled);
}

// A failed recognition hides the card but keeps the draft underneath; the next success
// replaces every draft field, edited or not.
void SmartEntryTest::failureAfterSuccess()
{
    recognize(*m_sheet, u"今天花了25元买了面包"_s);
    QVERIFY(m_sheet->draftCard()->isVisible());
    retype(m_sheet->amountField(), u"77"_s);
    retype(m_sheet->noteField(), u"改过的备注"_s);
    QTest::keyClick(m_sheet->categoryMenu(), Qt::Key_Down);

    recognize(*m_sheet, u"花了"_s);
    QVERIFY(!m_sheet->draftCard()->isVisible());
    QVERIFY(!m_sheet->confirmButton()->isVisible());
    QVERIFY(m_sheet->emptyState()->isVisible());
    QVERIFY(m_store->entries().empty());

    const QString sentence = u"收到奖金3000"_s;
    const std::optional<ParsedLedgerEntry> expected = NaturalLedgerParser::parse(sentence);
    QVERIFY(expected);
    recognize(*m_sheet, sentence);
    QVERIFY(m_sheet->draftCard()->isVisible());
    QVERIFY(!m_sheet->emptyState()->isVisible());
    const ShownDraft shown(*m_sheet);
    QCOMPARE(shown.kind, u"收入"_s);
    QCOMPARE(shown.amount, u"3000.00"_s);
    QCOMPARE(shown.category, u"奖金"_s);
    QCOMPARE(shown.note, expected->note);
    QVERIFY(m_store->entries().empty());
}

void SmartEntryTest::closeStoresNothing_data()
{
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<bool>("byEscape");

    QTest::newRow("close before typing") << QString() << false;
    QTest::newRow("close after success") << u"今天花了25元买了面包"_s << false;
    QTest::newRow("close after failure") << u"花了"_s << false;
    QTest::newRow("Escape after success") << u"午饭 18"_s << true;
}

void SmartEntryTest::closeStoresNothing()
{
    QFETCH(QString, sentence);
    QFETCH(bool, byEscape);

    QSignalSpy rejected(m_sheet.get(), &QDialog::rejected);
    QSignalSpy changed(m_store.get(), &ModelStore::entriesChanged);
    if (!sentence.isEmpty())
        recognize(*m_sheet, sentence);

    if (byEscape)
        QTest::keyClick(m_sheet->sentenceField(), Qt::Key_Escape);
    else
        QTest::mouseClick(m_sheet->closeButton(), Qt::LeftButton);

    QCOMPARE(rejected.count(), 1);
    QVERIFY(!m_sheet->isVisible());
    QCOMPARE(changed.count(), 0);
    QVERIFY(m_store->entries().empty());
}

// Only 识别 reads the sentence: typing after a success, even emptying the field, leaves the
// card and its draft as they were.
void SmartEntryTest::editingSentenceKeepsCard()
{
    recognize(*m_sheet, u"今天花了25元买了面包"_s);
    typeText(m_sheet->sentenceField(), u"，又花了8元"_s);
    QVERIFY(m_sheet->draftCard()->isVisible());
    QCOMPARE(ShownDraft(*m_sheet).amount, u"25.00"_s);
    QCOMPARE(ShownDraft(*m_sheet).note, u"面包"_s);

    retype(m_sheet->sentenceField(), QString());
    QVERIFY(m_sheet->draftCard()->isVisible());
    QVERIFY(!m_sheet->emptyState()->isVisible());
    QVERIFY(!m_sheet->recognizeButton()->isEnabled());
    const ShownDraft shown(*m_sheet);
    QCOMPARE(shown.kind, u"支出"_s);
    QCOMPARE(shown.amount, u"25.00"_s);
    QCOMPARE(shown.category, u"餐饮"_s);
    QCOMPARE(shown.note, u"面包"_s);

    QTest::mouseClick(m_sheet->confirmButton(), Qt::LeftButton);
    QCOMPARE(m_store->entries().size(), size_t(1));
    QCOMPARE(m_store->entries().front().amount, 25.0);
}

PENNYLOOM_TEST(SmartEntryTest)
#include "tst_SmartEntry.moc"
