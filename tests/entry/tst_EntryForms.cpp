// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "entry/AddEntryView.h"
#include "entry/CategoryListModel.h"
#include "entry/CategoryPicker.h"
#include "entry/EditEntryView.h"
#include "model/LedgerCategories.h"
#include "store/ModelStore.h"
#include "ui/SegmentedControl.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using TestSupport::local;
using TestSupport::openStore;
using TestSupport::retype;
using TestSupport::typeText;

namespace {

// The moment every form of this file is opened at.
QDateTime openedAt()
{
    return local(2024, 3, 5, 14, 30, 15);
}

QPushButton *segment(SegmentedControl *control, const QString &text)
{
    for (QPushButton *button : control->findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

bool clickSegment(SegmentedControl *control, const QString &text)
{
    QPushButton *button = segment(control, text);
    if (!button)
        return false;
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

// Clicks the middle of a category's tile, scrolling it into view first.
bool clickTile(CategoryPicker *picker, const QString &name)
{
    const int row = static_cast<int>(picker->categoryModel()->categories().indexOf(name));
    if (row < 0)
        return false;
    picker->scrollTo(picker->categoryModel()->index(row));
    const QRect tile = picker->tileRect(name);
    if (tile.isEmpty() || !picker->viewport()->rect().contains(tile.center()))
        return false;
    QTest::mouseClick(picker->viewport(), Qt::LeftButton, {}, tile.center());
    return true;
}

// The "已选：…" caption above the grid.
QString chosenCaption(const AddEntryView &form)
{
    for (const QLabel *label : form.findChildren<QLabel *>()) {
        if (label->text().startsWith(u"已选："_s))
            return label->text();
    }
    return QString();
}

// What the category menu shows: the chosen item, or the kept name outside the list.
QString shownCategory(const QComboBox *menu)
{
    return menu->currentIndex() >= 0 ? menu->currentText() : menu->placeholderText();
}

// Selects the item with that text by arrow keys, as a keyboard user does on a closed menu.
bool chooseInMenu(QComboBox *menu, const QString &text)
{
    const int target = menu->findText(text);
    if (target < 0)
        return false;
    for (int guard = 0; menu->currentIndex() != target && guard < menu->count() + 1; ++guard)
        QTest::keyClick(menu, menu->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    return menu->currentIndex() == target;
}

const LedgerEntry *findEntry(const ModelStore &store, const QUuid &id)
{
    return store.find<LedgerEntry>(id);
}

QList<QUuid> storedOrder(const ModelStore &store)
{
    QList<QUuid> ids;
    for (const LedgerEntry &entry : store.entries())
        ids.append(entry.id);
    return ids;
}

} // namespace

class EntryFormsTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void addStartsEmpty();
    void amountEnablesSave_data();
    void amountEnablesSave();
    void kindSwitchResetsCategory();
    void addSaves_data();
    void addSaves();
    void addDismissed_data();
    void addDismissed();

    void editShowsEntry_data();
    void editShowsEntry();
    void editKeepsUnknownCategory();
    void editSaveWithoutChanges_data();
    void editSaveWithoutChanges();
    void editChangesInPlace();
    void editDismissed_data();
    void editDismissed();

private:
    // Closes the store and opens its file again, as a restart of the program does.
    bool reopenStore();
    // Runs the check on the open store, then again after a restart.
    void checkNowAndAfterReopen(const std::function<void(const ModelStore &)> &check);

    std::unique_ptr<TestSupport::ScopedClock> m_clock;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModelStore> m_store;
};

bool EntryFormsTest::reopenStore()
{
    m_store.reset();
    m_store = openStore(*m_dir);
    return m_store != nullptr;
}

void EntryFormsTest::checkNowAndAfterReopen(const std::function<void(const ModelStore &)> &check)
{
    check(*m_store);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(reopenStore());
    check(*m_store);
}

void EntryFormsTest::init()
{
    m_clock = std::make_unique<TestSupport::ScopedClock>(openedAt());
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_store = openStore(*m_dir);
    QVERIFY(m_store);
}

void EntryFormsTest::cleanup()
{
    m_store.reset();
    m_dir.reset();
    m_clock.reset();
}

void EntryFormsTest::addStartsEmpty()
{
    AddEntryView form(*m_store);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QCOMPARE(form.windowTitle(), u"记一笔"_s);
    QVERIFY(!form.saveButton()->isEnabled());
    QVERIFY(form.amountField()->text().isEmpty());
    QVERIFY(form.noteField()->text().isEmpty());
    QCOMPARE(form.kindControl()->currentText(), u"支出"_s);
    QCOMPARE(form.picker()->categoryModel()->categories(), LedgerCategories::expenses());
    QCOMPARE(form.picker()->selection(), u"餐饮"_s);
    QCOMPARE(form.picker()->categoryModel()->selectedRow(), 0);
    QCOMPARE(form.dateField()->date(), QDate(2024, 3, 5));
    QCOMPARE(chosenCaption(form), u"已选：餐饮"_s);
    QVERIFY(form.amountField()->hasFocus());
}

void EntryFormsTest::amountEnablesSave_data()
{
    QTest::addColumn<bool>("editing");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");

    const QList<std::pair<const char *, bool>> forms{{"add", false}, {"edit", true}};
    for (const auto &[form, editing] : forms) {
        const auto row = [&](const char *name, const QString &text, bool enabled) {
            QTest::addRow("%s: %s", form, name) << editing << text << enabled;
        };
        row("empty", QString(), false);
        row("zero", u"0"_s, false);
        row("zero with decimals", u"0.00"_s, false);
        row("negative", u"-5"_s, false);
        row("letters", u"abc"_s, false);
        row("leading blank", u" 12"_s, false);
        row("trailing blank", u"12 "_s, false);
        row("grouping comma", u"1,000"_s, false);
        row("decimal comma", u"12,5"_s, false);
        row("integer", u"12"_s, true);
        row("decimals", u"12.5"_s, true);
        row("leading point", u".5"_s, true);
        row("exponent", u"1e3"_s, true);
    }
}

// The save button follows the amount text in both forms, and Return cannot get past a
// disabled button.
void EntryFormsTest::amountEnablesSave()
{
    QFETCH(bool, editing);
    QFETCH(QString, text);
    QFETCH(bool, enabled);

    const LedgerEntry stored(25, local(2024, 3, 1, 9, 0), EntryKind::expense, u"餐饮"_s, u"早餐"_s);
    QVERIFY(m_store->insert(stored));

    std::unique_ptr<QDialog> form;
    QLineEdit *amount = nullptr;
    QPushButton *save = nullptr;
    if (editing) {
        auto *edit = new EditEntryView(*m_store, stored);
        amount = edit->amountField();
        save = edit->saveButton();
        form.reset(edit);
    } else {
        auto *add = new AddEntryView(*m_store);
        amount = add->amountField();
        save = add->saveButton();
        form.reset(add);
    }
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    retype(amount, text);
    QCOMPARE(amount->text(), text);
    QCOMPARE(save->isEnabled(), enabled);

    if (!enabled) {
        QTest::keyClick(amount, Qt::Key_Return);
        QVERIFY(form->isVisible());
        QCOMPARE(m_store->entries().size(), size_t(1));
        QCOMPARE(m_store->entries().front().amount, 25.0);
    }
}

void EntryFormsTest::kindSwitchResetsCategory()
{
    AddEntryView form(*m_store);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    CategoryPicker *picker = form.picker();

    QVERIFY(clickTile(picker, u"交通"_s));
    QCOMPARE(picker->selection(), u"交通"_s);
    QCOMPARE(form.model().category(), u"交通"_s);
    QCOMPARE(chosenCaption(form), u"已选：交通"_s);

    QVERIFY(clickSegment(form.kindControl(), u"收入"_s));
    QCOMPARE(form.kindControl()->currentText(), u"收入"_s);
    QCOMPARE(picker->categoryModel()->categories(), LedgerCategories::incomes());
    QCOMPARE(picker->selection(), u"工资"_s);
    QCOMPARE(picker->categoryModel()->selectedRow(), 0);
    QCOMPARE(chosenCaption(form), u"已选：工资"_s);

    QVERIFY(clickTile(picker, u"退款"_s));
    QCOMPARE(picker->selection(), u"退款"_s);

    QVERIFY(clickSegment(form.kindControl(), u"支出"_s));
    QCOMPARE(picker->categoryModel()->categories(), LedgerCategories::expenses());
    QCOMPARE(picker->selection(), u"餐饮"_s);
    QCOMPARE(form.model().category(), u"餐饮"_s);

    // Clicking the kind that is already chosen changes nothing.
    QVERIFY(clickTile(picker, u"购物"_s));
    QVERIFY(clickSegment(form.kindControl(), u"支出"_s));
    QCOMPARE(picker->selection(), u"购物"_s);
}

void EntryFormsTest::addSaves_data()
{
    QTest::addColumn<bool>("byReturnKey");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("amountText");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("note");
    QTest::addColumn<double>("amount");

    QTest::newRow("expense by click")
        << false << u"支出"_s << u"12.5"_s << u"交通"_s << QDate(2024, 3, 1) << u"地铁"_s << 12.5;
    QTest::newRow("income by Return")
        << true << u"收入"_s << u"3000"_s << u"奖金"_s << QDate(2024, 2, 29) << u"年终"_s << 3000.0;
    QTest::newRow("default category and day")
        << false << u"支出"_s << u"8"_s << u"餐饮"_s << QDate(2024, 3, 5) << u"午饭"_s << 8.0;
    QTest::newRow("empty note") << true << u"支出"_s << u".5"_s << u"其它"_s << QDate(2023, 12, 31)
                                << QString() << 0.5;
    QTest::newRow("note of blanks") << false << u"收入"_s << u"1e3"_s << u"其他收入"_s << QDate(2024, 3, 4)
                                    << u"   "_s << 1000.0;
    QTest::newRow("note with outer blanks")
        << false << u"支出"_s << u"99.99"_s << u"洗衣服"_s << QDate(2024, 1, 15) << u" 干洗 "_s << 99.99;
}

// A save stores exactly what the form shows, dated on the chosen day at the opening time of
// day, and the entry is still there after the store file is opened again.
void EntryFormsTest::addSaves()
{
    QFETCH(bool, byReturnKey);
    QFETCH(QString, kind);
    QFETCH(QString, amountText);
    QFETCH(QString, category);
    QFETCH(QDate, day);
    QFETCH(QString, note);
    QFETCH(double, amount);

    AddEntryView form(*m_store);
    QSignalSpy accepted(&form, &QDialog::accepted);
    QSignalSpy inserted(m_store.get(), &ModelStore::entriesChanged);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QVERIFY(clickSegment(form.kindControl(), kind));
    QVERIFY(clickTile(form.picker(), category));
    form.dateField()->setDate(day);
    typeText(form.noteField(), note);
    QTest::mouseClick(form.amountField(), Qt::LeftButton);
    typeText(form.amountField(), amountText);
    QVERIFY(form.saveButton()->isEnabled());

    if (byReturnKey)
        QTest::keyClick(form.amountField(), Qt::Key_Return);
    else
        QTest::mouseClick(form.saveButton(), Qt::LeftButton);

    QCOMPARE(accepted.count(), 1);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(!form.isVisible());
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(m_store->entries().size(), size_t(1));

    const QDateTime expectedDate(day, openedAt().time());
    const auto check = [&](const LedgerEntry &entry) {
        QCOMPARE(entry.amount, amount);
        QCOMPARE(entry.kindRaw, kind);
        QCOMPARE(entry.category, category);
        QCOMPARE(entry.date, expectedDate);
        QCOMPARE(entry.note, note);
        QCOMPARE(entry.createdAt, openedAt());
    };
    const LedgerEntry saved = m_store->entries().front();
    check(saved);
    if (QTest::currentTestFailed())
        return;

    QVERIFY(reopenStore());
    QCOMPARE(m_store->entries().size(), size_t(1));
    QCOMPARE(m_store->entries().front().id, saved.id);
    check(m_store->entries().front());
}

void EntryFormsTest::addDismissed_data()
{
    QTest::addColumn<bool>("byEscape");

    QTest::newRow("Escape key") << true;
    QTest::newRow("cancel button") << false;
}

void EntryFormsTest::addDismissed()
{
    QFETCH(bool, byEscape);

    AddEntryView form(*m_store);
    QSignalSpy rejected(&form, &QDialog::rejected);
    QSignalSpy changed(m_store.get(), &ModelStore::entriesChanged);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QVERIFY(clickSegment(form.kindControl(), u"收入"_s));
    QVERIFY(clickTile(form.picker(), u"报销"_s));
    typeText(form.noteField(), u"差旅"_s);
    QTest::mouseClick(form.amountField(), Qt::LeftButton);
    typeText(form.amountField(), u"120"_s);
    QVERIFY(form.saveButton()->isEnabled());

    if (byEscape)
        QTest::keyClick(form.amountField(), Qt::Key_Escape);
    else
        QTest::mouseClick(form.cancelButton(), Qt::LeftButton);

    QCOMPARE(rejected.count(), 1);
    QVERIFY(!form.isVisible());
    QCOMPARE(changed.count(), 0);
    QVERIFY(m_store->entries().empty());

    QVERIFY(reopenStore());
    QVERIFY(m_store->entries().empty());
}

void EntryFormsTest::editShowsEntry_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("amountText");

    QTest::newRow("expense of 25") << 25.0 << u"支出"_s << u"餐饮"_s << u"25.00"_s;
    QTest::newRow("income refund") << 88.8 << u"收入"_s << u"退款"_s << u"88.80"_s;
    QTest::newRow("three decimals rounded") << 3.456 << u"支出"_s << u"交通"_s << u"3.46"_s;
    QTest::newRow("large amount without grouping") << 1234567.0 << u"收入"_s << u"工资"_s << u"1234567.00"_s;
    QTest::newRow("category no longer listed") << 12.0 << u"支出"_s << u"旧分类"_s << u"12.00"_s;
    QTest::newRow("expense category on income") << 5.0 << u"收入"_s << u"餐饮"_s << u"5.00"_s;
}

void EntryFormsTest::editShowsEntry()
{
    QFETCH(double, amount);
    QFETCH(QString, kind);
    QFETCH(QString, category);
    QFETCH(QString, amountText);

    const LedgerEntry entry(amount, local(2024, 2, 10, 20, 15), *EntryKinds::fromRaw(kind), category,
                            u"备注"_s);
    QVERIFY(m_store->insert(entry));

    EditEntryView form(*m_store, m_store->entries().front());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QCOMPARE(form.windowTitle(), u"编辑账单"_s);
    QCOMPARE(form.kindControl()->currentText(), kind);
    QCOMPARE(form.amountField()->text(), amountText);
    QCOMPARE(shownCategory(form.categoryMenu()), category);
    QCOMPARE(form.dateField()->date(), QDate(2024, 2, 10));
    QCOMPARE(form.noteField()->text(), u"备注"_s);
    QVERIFY(form.saveButton()->isEnabled());

    // The menu offers the list of the entry's kind, whatever its category.
    const QStringList &listed = LedgerCategories::forKind(*EntryKinds::fromRaw(kind));
    QCOMPARE(form.categoryMenu()->count(), listed.size());
    for (int i = 0; i < listed.size(); ++i)
        QCOMPARE(form.categoryMenu()->itemText(i), listed.at(i));
}

// A category outside the list survives edits of other fields; only a change of kind
// replaces it, and switching back does not bring it back.
void EntryFormsTest::editKeepsUnknownCategory()
{
    const LedgerEntry entry(40, local(2024, 2, 10, 8, 0), EntryKind::expense, u"旧分类"_s);
    QVERIFY(m_store->insert(entry));

    {
        EditEntryView form(*m_store, entry);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        retype(form.amountField(), u"41"_s);
        typeText(form.noteField(), u"补记"_s);
        QCOMPARE(shownCategory(form.categoryMenu()), u"旧分类"_s);
        QTest::mouseClick(form.saveButton(), Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
    }
    QCOMPARE(findEntry(*m_store, entry.id)->category, u"旧分类"_s);
    QCOMPARE(findEntry(*m_store, entry.id)->amount, 41.0);

    EditEntryView form(*m_store, *findEntry(*m_store, entry.id));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(clickSegment(form.kindControl(), u"收入"_s));
    QCOMPARE(shownCategory(form.categoryMenu()), u"工资"_s);
    QVERIFY(clickSegment(form.kindControl(), u"支出"_s));
    QCOMPARE(shownCategory(form.categoryMenu()), u"餐饮"_s);
    QCOMPARE(form.categoryMenu()->currentIndex(), 0);
    QTest::mouseClick(form.saveButton(), Qt::LeftButton);
    QCOMPARE(findEntry(*m_store, entry.id)->category, u"餐饮"_s);
}

void EntryFormsTest::editSaveWithoutChanges_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("note");
    QTest::addColumn<double>("savedAmount");

    QTest::newRow("expense of 25") << 25.0 << u"支出"_s << u"餐饮"_s << u"午饭"_s << 25.0;
    QTest::newRow("three decimals") << 3.456 << u"支出"_s << u"饮品"_s << QString() << 3.46;
    QTest::newRow("income refund") << 18.0 << u"收入"_s << u"退款"_s << u"  "_s << 18.0;
    QTest::newRow("unlisted category") << 7.5 << u"支出"_s << u"旧分类"_s << u"x"_s << 7.5;
}

// Saving an untouched form writes the shown values back into the same record; the amount
// is the one shown, rounded to cents.
void EntryFormsTest::editSaveWithoutChanges()
{
    QFETCH(double, amount);
    QFETCH(QString, kind);
    QFETCH(QString, category);
    QFETCH(QString, note);
    QFETCH(double, savedAmount);

    const QDateTime date = local(2024, 2, 10, 20, 15, 42);
    const LedgerEntry entry(amount, date, *EntryKinds::fromRaw(kind), category, note);
    QVERIFY(m_store->insert(entry));
    const QDateTime createdAt = entry.createdAt;
    m_clock->clock().advanceSeconds(3600);

    EditEntryView form(*m_store, entry);
    QSignalSpy accepted(&form, &QDialog::accepted);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.saveButton(), Qt::LeftButton);
    QCOMPARE(accepted.count(), 1);

    const auto check = [&](const ModelStore &store) {
        QCOMPARE(store.entries().size(), size_t(1));
        const LedgerEntry &saved = store.entries().front();
        QCOMPARE(saved.id, entry.id);
        QCOMPARE(saved.createdAt, createdAt);
        QCOMPARE(saved.amount, savedAmount);
        QCOMPARE(saved.kindRaw, kind);
        QCOMPARE(saved.category, category);
        QCOMPARE(saved.date, date);
        QCOMPARE(saved.note, note);
    };
    checkNowAndAfterReopen(check);
}

// Every field edited through its widget is written into the stored record in place: the
// number of entries stays, and the new date moves the record within the date order.
void EntryFormsTest::editChangesInPlace()
{
    const LedgerEntry early(10, local(2024, 3, 1, 9, 30), EntryKind::expense, u"餐饮"_s, u"早餐"_s);
    const LedgerEntry middle(20, local(2024, 3, 3, 12, 0), EntryKind::expense, u"交通"_s);
    const LedgerEntry late(30, local(2024, 3, 5, 18, 0), EntryKind::income, u"工资"_s);
    for (const LedgerEntry &entry : {early, middle, late})
        QVERIFY(m_store->insert(entry));
    QCOMPARE(storedOrder(*m_store), (QList<QUuid>{late.id, middle.id, early.id}));

    EditEntryView form(*m_store, early);
    QSignalSpy accepted(&form, &QDialog::accepted);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QVERIFY(clickSegment(form.kindControl(), u"收入"_s));
    QVERIFY(chooseInMenu(form.categoryMenu(), u"奖金"_s));
    retype(form.amountField(), u"99.5"_s);
    form.dateField()->setDate(QDate(2024, 3, 4));
    retype(form.noteField(), u"季度奖"_s);
    QTest::mouseClick(form.saveButton(), Qt::LeftButton);
    QCOMPARE(accepted.count(), 1);

    const auto check = [&](const ModelStore &store) {
        QCOMPARE(store.entries().size(), size_t(3));
        QCOMPARE(storedOrder(store), (QList<QUuid>{late.id, early.id, middle.id}));
        const LedgerEntry *edited = store.find<LedgerEntry>(early.id);
        QVERIFY(edited);
        QCOMPARE(edited->amount, 99.5);
        QCOMPARE(edited->kindRaw, u"收入"_s);
        QCOMPARE(edited->category, u"奖金"_s);
        QCOMPARE(edited->date, local(2024, 3, 4, 9, 30));
        QCOMPARE(edited->note, u"季度奖"_s);
        QCOMPARE(edited->createdAt, early.createdAt);
        QCOMPARE(store.find<LedgerEntry>(middle.id)->amount, 20.0);
        QCOMPARE(store.find<LedgerEntry>(late.id)->amount, 30.0);
    };
    checkNowAndAfterReopen(check);
}

void EntryFormsTest::editDismissed_data()
{
    QTest::addColumn<bool>("byEscape");

    QTest::newRow("Escape key") << true;
    QTest::newRow("cancel button") << false;
}

void EntryFormsTest::editDismissed()
{
    QFETCH(bool, byEscape);

    const LedgerEntry entry(25, local(2024, 3, 1, 9, 30), EntryKind::expense, u"餐饮"_s, u"早餐"_s);
    QVERIFY(m_store->insert(entry));

    EditEntryView form(*m_store, entry);
    QSignalSpy rejected(&form, &QDialog::rejected);
    QSignalSpy changed(m_store.get(), &ModelStore::entriesChanged);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QVERIFY(clickSegment(form.kindControl(), u"收入"_s));
    retype(form.amountField(), u"60"_s);
    form.dateField()->setDate(QDate(2024, 2, 1));
    retype(form.noteField(), u"改了"_s);

    if (byEscape)
        QTest::keyClick(form.noteField(), Qt::Key_Escape);
    else
        QTest::mouseClick(form.cancelButton(), Qt::LeftButton);

    QCOMPARE(rejected.count(), 1);
    QVERIFY(!form.isVisible());
    QCOMPARE(changed.count(), 0);
    const LedgerEntry &kept = m_store->entries().front();
    QCOMPARE(kept.amount, 25.0);
    QCOMPARE(kept.kindRaw, u"支出"_s);
    QCOMPARE(kept.category, u"餐饮"_s);
    QCOMPARE(kept.date, local(2024, 3, 1, 9, 30));
    QCOMPARE(kept.note, u"早餐"_s);
}

PENNYLOOM_TEST(EntryFormsTest)
#include "tst_EntryForms.moc"
