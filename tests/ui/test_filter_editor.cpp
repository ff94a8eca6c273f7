// The filter editor's behaviour: type grid, relation boxes, family switches, reveal and slide
// timers, spinner pairs, the bytes each box writes, UserChanged, and settings applied at once.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <cstring>
#include <functional>
#include <random>

#include "ui/blocks_tab.h"
#include "ui/filter_editor.h"
#include "ui/filter_widgets.h"
#include "ui/preferences_tab.h"
#include "ui/program_look.h"
#include "ui/types_tab.h"

using kombinator::FilterSettings;

namespace {

// A control every test needs; a missing one ends the run with its name.
template <typename T = QWidget>
T* Get(const QObject* root, const QString& name) {
    T* found = root->findChild<T*>(name);
    if (!found) qFatal("no control %s", qPrintable(name));
    return found;
}

QCheckBox* Box(const QObject* root, int n) { return Get<QCheckBox>(root, QStringLiteral("CheckBox%1").arg(n)); }
RadioGroupN* Group(const QObject* root, int n) { return Get<RadioGroupN>(root, QStringLiteral("RadioGroup%1").arg(n)); }
UpDownSpinner* UpDown(const QObject* root, int n) { return Get<UpDownSpinner>(root, QStringLiteral("UpDown%1").arg(n)); }
QLineEdit* Edit(const QObject* root, int n) { return Get<QLineEdit>(root, QStringLiteral("MaskEdit%1").arg(n)); }
QTimer* Timer(const QObject* root, int n) { return Get<QTimer>(root, QStringLiteral("Timer%1").arg(n)); }

QString TextOf(QWidget* w) {
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* group = qobject_cast<QGroupBox*>(w)) return group->title();
    return QStringLiteral("<no text>");
}

// Type grid cell of Position p (1..6), column c (0 "1", 1 "0", 2 "2").
ClickLabel* TpLabel(const QObject* root, int p, int c) { return Get<ClickLabel>(root, QStringLiteral("Label%1").arg(252 + 6 * (p - 1) + c)); }
ClickLabel* TdLabel(const QObject* root, int p, int c) { return Get<ClickLabel>(root, QStringLiteral("Label%1").arg(255 + 6 * (p - 1) + c)); }
ShapeWidget* TpShape(const QObject* root, int p, int c) { return Get<ShapeWidget>(root, QStringLiteral("Shape%1").arg(2 + 3 * (p - 1) + c)); }
ShapeWidget* TdShape(const QObject* root, int p, int c) { return Get<ShapeWidget>(root, QStringLiteral("Shape%1").arg(20 + 3 * (p - 1) + c)); }

void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
void ChooseItem(const QObject* root, int group, int item) { Group(root, group)->Item(item)->click(); }

// The byte each check box writes, derived independently from the documented numbering.
std::uint8_t* ExpectedByte(FilterSettings& s, int n) {
    if (n >= 8 && n <= 35) {
        int index = 8;
        for (int x = 6; x >= 0; --x)
            for (int y = 6 - x; y >= 0; --y, ++index)
                if (index == n) return &s.RiTemplate[x][y];
    }
    if (n >= 36 && n <= 39) return &s.RjDrawTemplate[n - 35];
    if (n >= 40 && n <= 43) return &s.RjTwoTemplate[n - 39];
    if (n >= 44 && n <= 139) return &s.ScoreAllowed[(n - 44) / 16 + 1][(n - 44) % 16];
    if (n >= 140 && n <= 187) return &s.PreferredScores[(n - 140) / 16][(n - 140) % 16];
    if (n >= 188 && n <= 235) {
        // CheckBox(188 + 3 (4a + h) + k) writes RwTemplate[3 (4h + a) + k].
        const int m = n - 188, k = m % 3, a = m / 3 / 4, h = m / 3 % 4;
        return &s.RwTemplate[3 * (4 * h + a) + k];
    }
    if (n >= 236 && n <= 259) return &s.HomeBlockCounts[n - 236];
    if (n >= 260 && n <= 283) return &s.AwayBlockCounts[n - 260];
    static const int blockSigns[10] = {4 * 3 + 0, 4 * 2 + 1, 4 * 2 + 0, 4 * 1 + 2, 4 * 1 + 1,
                                       4 * 1 + 0, 4 * 0 + 3, 4 * 0 + 2, 4 * 0 + 1, 4 * 0 + 0};
    if (n >= 284 && n <= 293) return &s.BlockGSigns[blockSigns[n - 284]];
    if (n >= 294 && n <= 303) return &s.BlockDSigns[blockSigns[n - 294]];
    if (n >= 304 && n <= 310) return &s.PnOverall[9 - (n - 304)];
    if (n >= 311 && n <= 315) return &s.PnHomeBlock[5 - (n - 311)];
    if (n >= 316 && n <= 320) return &s.PnAwayBlock[5 - (n - 316)];
    return nullptr;
}

// Offsets of the bytes in which two settings differ.
std::vector<std::size_t> DifferingBytes(const FilterSettings& a, const FilterSettings& b) {
    static_assert(std::is_trivially_copyable_v<FilterSettings>);
    std::vector<std::size_t> offsets;
    const auto* pa = reinterpret_cast<const unsigned char*>(&a);
    const auto* pb = reinterpret_cast<const unsigned char*>(&b);
    for (std::size_t i = 0; i < sizeof(FilterSettings); ++i)
        if (pa[i] != pb[i]) offsets.push_back(i);
    return offsets;
}

// Spinner pairs: from / to up-down, from / to edit, start positions.
struct PairDesign {
    int fromUpDown, toUpDown, fromEdit, toEdit, fromStart, toStart;
};
const PairDesign Pairs[9] = {
    {3, 4, 83, 84, 14, 18}, {5, 6, 85, 86, 7, 9},   {7, 8, 87, 88, 7, 9},
    {1, 2, 1, 2, 7, 9},     {9, 10, 3, 4, 3, 5},   {11, 12, 5, 6, 3, 5},
    {13, 14, 7, 8, 7, 9},   {15, 16, 9, 10, 3, 5}, {17, 18, 11, 12, 3, 5},
};

// Settings that the controls can express, drawn from a seed.
FilterSettings RandomSettings(unsigned seed) {
    std::mt19937 rng(seed);
    auto bit = [&] { return static_cast<std::uint8_t>(rng() % 2); };
    FilterSettings s;
    for (int p = 1; p <= 6; ++p)
        for (int c = 0; c < 3; ++c) s.TypeMarks[p][c] = static_cast<std::uint8_t>(rng() % 3);
    for (int k = 1; k <= 7; ++k) s.RelationTicked[k] = bit();
    s.RiActive = bit();
    for (int x = 0; x <= 6; ++x)
        for (int y = 0; x + y <= 6; ++y) s.RiTemplate[x][y] = bit();
    s.RjDrawActive = bit();
    s.RjTwoActive = bit();
    for (int f = 1; f <= 4; ++f) {
        s.RjDrawTemplate[f] = bit();
        s.RjTwoTemplate[f] = bit();
    }
    for (int p = 1; p <= 6; ++p) {
        s.ScoreFilterActive[p] = bit();
        for (auto& flag : s.ScoreAllowed[p]) flag = bit();
    }
    auto range = [&](std::uint8_t& from, std::uint8_t& to) {
        const int a = static_cast<int>(rng() % 37), b = static_cast<int>(rng() % 37);
        from = static_cast<std::uint8_t>(std::min(a, b));
        to = static_cast<std::uint8_t>(std::max(a, b));
    };
    range(s.TotalGoalsFrom, s.TotalGoalsTo);
    range(s.HomeGoalsFrom, s.HomeGoalsTo);
    range(s.AwayGoalsFrom, s.AwayGoalsTo);
    s.PnActive = bit();
    for (int e = 3; e <= 9; ++e) s.PnOverall[e] = bit();
    for (int e = 1; e <= 5; ++e) {
        s.PnHomeBlock[e] = bit();
        s.PnAwayBlock[e] = bit();
    }
    s.PreferredActive = bit();
    for (auto& set : s.PreferredScores)
        for (auto& flag : set) flag = bit();
    s.RwActive = bit();
    for (auto& flag : s.RwTemplate) flag = bit();
    s.HomeBlockActive = bit();
    s.AwayBlockActive = bit();
    for (auto& flag : s.HomeBlockCounts) flag = bit();
    for (auto& flag : s.AwayBlockCounts) flag = bit();
    s.BlockGActive = bit();
    s.BlockDActive = bit();
    for (int x = 0; x <= 3; ++x)
        for (int y = 0; x + y <= 3; ++y) {
            s.BlockGSigns[4 * x + y] = bit();
            s.BlockDSigns[4 * x + y] = bit();
        }
    for (auto* r : {&s.BlockGRange, &s.BlockDRange})
        for (int i = 0; i < 6; i += 2) range((*r)[i], (*r)[i + 1]);
    return s;
}

}  // namespace

class FilterEditorTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void ControlsHaveTheirCaptions_data();
    void ControlsHaveTheirCaptions();
    void StartStateIsEverythingOffAndHidden();

    void TypeLabelClicksSetMarksAndColours_data();
    void TypeLabelClicksSetMarksAndColours();
    void RelationBoxesFollowTdPositionsAndKeepTicks();

    void EveryBoxWritesItsDocumentedByte();
    void EveryUserChangeEmitsUserChangedFirst();

    void FamilySwitchesHideAndShowWithoutLosingTicks_data();
    void FamilySwitchesHideAndShowWithoutLosingTicks();
    void RiRevealRunsOncePerProgramRun();
    void RowRevealsStepAndStop_data();
    void RowRevealsStepAndStop();
    void SwitchingOffStopsARowReveal();
    void TimersDriveTheirRevealsOnTheirOwn();
    void BlockTemplatePanelsSlideUp_data();
    void BlockTemplatePanelsSlideUp();

    void SpinnerStartPositionsFillTheEdits();
    void SpinnerPairsKeepFromNotAboveTo_data();
    void SpinnerPairsKeepFromNotAboveTo();
    void SettingsForRunReadsTheEdits();

    void ApplySettingsRoundTrips_data();
    void ApplySettingsRoundTrips();
    void ApplySettingsShowsRevealedControlsAtOnce();
    void ApplySettingsDropsBytesWithoutAControl();

private:
    FilterSettings settings_;
    FilterEditor* editor_ = nullptr;

    void ShowTabOf(QWidget* w);
    void FinishTimers();
};

void FilterEditorTest::init() {
    settings_ = FilterSettings{};
    editor_ = new FilterEditor(settings_);
    editor_->SetSpinnerStartPositions();
    editor_->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor_));
}

void FilterEditorTest::cleanup() {
    delete editor_;
    editor_ = nullptr;
}

void FilterEditorTest::ShowTabOf(QWidget* w) {
    QTabWidget* tabs = editor_->PageControl();
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(w)) tabs->setCurrentIndex(i);
}

// Runs every reveal and slide timer to its end by calling its handler.
void FilterEditorTest::FinishTimers() {
    for (int tick = 0; tick < 40; ++tick) {
        if (Timer(editor_, 2)->isActive()) editor_->Types()->Timer2Timer();
        if (Timer(editor_, 3)->isActive()) editor_->Preferences()->Timer3Timer();
        if (Timer(editor_, 4)->isActive()) editor_->Blocks()->Timer4Timer();
        if (Timer(editor_, 5)->isActive()) editor_->Blocks()->Timer5Timer();
        if (Timer(editor_, 6)->isActive()) editor_->Blocks()->Timer6Timer();
        if (Timer(editor_, 7)->isActive()) editor_->Blocks()->Timer7Timer();
    }
}

void FilterEditorTest::ControlsHaveTheirCaptions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const std::pair<const char*, const char*> rows[] = {
        {"CheckBox1", "6 - 0"}, {"CheckBox4", "3 - 3"}, {"CheckBox7", "0 - 6"},
        {"CheckBox8", "6 0 0"}, {"CheckBox14", "3 3 0"}, {"CheckBox20", "2 2 2"}, {"CheckBox35", "0 0 6"},
        {"CheckBox44", "0 - 0"}, {"CheckBox49", "1 - 1"}, {"CheckBox52", "2 - 0"}, {"CheckBox139", "3 - 3"},
        {"CheckBox140", "0 - 0"}, {"CheckBox157", "0 - 1"}, {"CheckBox187", "3 - 3"},
        {"CheckBox236", "0"}, {"CheckBox241", "5"}, {"CheckBox283", "5"},
        {"CheckBox284", "3 0 0"}, {"CheckBox286", "2 0 1"}, {"CheckBox293", "0 0 3"}, {"CheckBox298", "1 1 1"},
        {"CheckBox304", "9 - 3"}, {"CheckBox307", "6 - 6"}, {"CheckBox310", "3 - 9"},
        {"CheckBox311", "5 - 1"}, {"CheckBox315", "1 - 5"}, {"CheckBox316", "5 - 1"}, {"CheckBox320", "1 - 5"},
        {"Label252", "1"}, {"Label253", "0"}, {"Label254", "2"}, {"Label287", "2"},
        {"Panel11", "Pozycja 1"}, {"Panel15", "Pozycja 5"}, {"Panel18", "Pozycja 6"},
        {"Panel16", "Typy podstawowe"}, {"Panel7", "Typy dodatkowe"}, {"Panel17", "Relacje Tp - Td"},
        {"RadioGroup2", " Remisy "}, {"RadioGroup3", " Dwójki "},
        {"RadioGroup4", "                    Pozycja 1                       "},
        {"RadioGroup9", "                    Pozycja 6                       "},
        {"Label54", "lub"}, {"Label55", "lub"}, {"Panel72", "Parzyste: 0, 2   Nieparzyste: 1, 3"},
        {"StaticText9", " Preferowane wyniki "}, {"StaticText10", " Szablony RW "},
        {"Label51", "Rozład "}, {"Label53", "ilościowy i"}, {"Label52", "jakościowy wyników"},
        {"StaticText27", " Blok gospodarzy "}, {"StaticText28", " Blok przyjezdnych "},
        {"StaticText29", " Blok G (poz 1-3) "}, {"StaticText30", " Blok D (poz 4-6) "},
    };
    for (const auto& [name, caption] : rows) QTest::newRow(name) << QString(name) << QString::fromUtf8(caption);
}

void FilterEditorTest::ControlsHaveTheirCaptions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QCOMPARE(TextOf(Get(editor_, name)), caption);
}

void FilterEditorTest::StartStateIsEverythingOffAndHidden() {
    QTabWidget* tabs = editor_->PageControl();
    QCOMPARE(tabs->objectName(), QString("PageControl1"));
    const QStringList captions{"   Typy ogólne   ", " Wyniki i bramki ", "  Preferencje  ", " Warunki blokowe "};
    QCOMPARE(tabs->count(), 4);
    for (int i = 0; i < 4; ++i) QCOMPARE(tabs->tabText(i), captions[i]);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(editor_->size(), QSize(673, 428));

    for (int n = 1; n <= 320; ++n) QVERIFY2(!Box(editor_, n)->isChecked(), qPrintable(QString::number(n)));
    for (int k = 1; k <= 7; ++k) QVERIFY(!Box(editor_, k)->isEnabled());
    for (int n = 8; n <= 35; ++n) QVERIFY(Box(editor_, n)->isHidden());
    for (int n = 2; n <= 37; ++n) QCOMPARE(Get<ShapeWidget>(editor_, QStringLiteral("Shape%1").arg(n))->BrushColor(), ShapeWhite);
    for (int g = 1; g <= 16; ++g) QCOMPARE(Group(editor_, g)->ItemIndex(), 0);
    for (int t = 2; t <= 7; ++t) {
        QCOMPARE(Timer(editor_, t)->interval(), 100);
        QVERIFY(!Timer(editor_, t)->isActive());
    }
    for (int e : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 83, 84, 85, 86, 87, 88}) QVERIFY(Edit(editor_, e)->isReadOnly());
    for (int u = 1; u <= 18; ++u) {
        QCOMPARE(UpDown(editor_, u)->Min(), 0);
        QCOMPARE(UpDown(editor_, u)->Max(), 36);
    }
    const char* hidden[] = {"Panel19", "Panel21", "Panel22", "Panel25", "Panel27", "Panel28", "Panel31", "Panel32",
                            "Panel33", "Panel71", "Panel72", "Panel30", "Label54", "Panel34", "Label55", "Panel35",
                            "Panel36", "Panel52", "Panel54", "Panel57", "Panel59", "Panel62", "Panel64", "Panel66",
                            "Panel68", "Panel69"};
    for (const char* name : hidden) QVERIFY2(Get(editor_, name)->isHidden(), name);
    QCOMPARE(editor_->SettingsForRun(), FilterSettings{});
}

void FilterEditorTest::TypeLabelClicksSetMarksAndColours_data() {
    QTest::addColumn<QString>("clicks");  // T = Tp label, D = Td label
    QTest::addColumn<int>("mark");
    QTest::newRow("Tp") << "T" << 1;
    QTest::newRow("Tp twice") << "TT" << 0;
    QTest::newRow("Tp three times") << "TTT" << 1;
    QTest::newRow("Td") << "D" << 2;
    QTest::newRow("Td twice") << "DD" << 0;
    QTest::newRow("Tp then Td") << "TD" << 2;
    QTest::newRow("Td then Tp") << "DT" << 1;
    QTest::newRow("Tp Td Tp") << "TDT" << 1;
}

void FilterEditorTest::TypeLabelClicksSetMarksAndColours() {
    QFETCH(QString, clicks);
    QFETCH(int, mark);
    const int p = 4, c = 1;
    for (QChar k : clicks) Click(k == 'T' ? static_cast<QWidget*>(TpLabel(editor_, p, c)) : TdLabel(editor_, p, c));
    QCOMPARE(int(settings_.TypeMarks[p][c]), mark);
    QCOMPARE(TpShape(editor_, p, c)->BrushColor(), mark == 1 ? ShapeGreen : ShapeWhite);
    QCOMPARE(TdShape(editor_, p, c)->BrushColor(), mark == 2 ? ShapeYellow : ShapeWhite);
    // No other cell moved.
    FilterSettings expected;
    expected.TypeMarks[p][c] = static_cast<std::uint8_t>(mark);
    QCOMPARE(settings_.TypeMarks, expected.TypeMarks);
    QCOMPARE(editor_->SettingsForRun().TypeMarks, expected.TypeMarks);
}

void FilterEditorTest::RelationBoxesFollowTdPositionsAndKeepTicks() {
    // Two Td marks in one Position count once.
    Click(TdLabel(editor_, 2, 0));
    Click(TdLabel(editor_, 2, 2));
    for (int k = 1; k <= 7; ++k) QCOMPARE(Box(editor_, k)->isEnabled(), k <= 2);
    for (int d = 2; d <= 6; ++d) {
        Click(TdLabel(editor_, d == 2 ? 1 : d, 1));
        for (int k = 1; k <= 7; ++k) QVERIFY2(Box(editor_, k)->isEnabled() == (k <= d + 1), qPrintable(QString("D=%1 k=%2").arg(d).arg(k)));
    }
    Box(editor_, 7)->click();
    Box(editor_, 2)->click();
    QVERIFY(editor_->SettingsForRun().RelationTicked[7]);
    // The relation boxes own no byte.
    QCOMPARE(settings_.RelationTicked, FilterSettings{}.RelationTicked);

    // Removing every Td mark disables the boxes but keeps their ticks; a Tp click on a
    // yellow cell replaces the Td mark.
    for (int p = 1; p <= 6; ++p) Click(TpLabel(editor_, p, 1));
    Click(TdLabel(editor_, 2, 0));
    Click(TdLabel(editor_, 2, 2));
    for (int k = 1; k <= 7; ++k) QVERIFY(!Box(editor_, k)->isEnabled());
    QVERIFY(Box(editor_, 2)->isChecked());
    QVERIFY(Box(editor_, 7)->isChecked());
    QVERIFY(!kombinator::RelationsActive(editor_->SettingsForRun()));

    Click(TdLabel(editor_, 5, 0));
    QVERIFY(Box(editor_, 2)->isEnabled());
    QVERIFY(!Box(editor_, 3)->isEnabled());
    const FilterSettings run = editor_->SettingsForRun();
    QVERIFY(kombinator::RelationAllowed(run, 5));   // "5 - 1" counts again without a new tick
    QVERIFY(!kombinator::RelationAllowed(run, 0));  // "0 - 6" ticked but disabled
}

void FilterEditorTest::EveryBoxWritesItsDocumentedByte() {
    for (int n = 8; n <= 320; ++n) {
        FilterSettings expected = settings_;
        std::uint8_t* byte = ExpectedByte(expected, n);
        QVERIFY(byte);
        *byte = 1;
        Box(editor_, n)->click();
        const std::vector<std::size_t> diff = DifferingBytes(settings_, expected);
        QVERIFY2(diff.empty(), qPrintable(QStringLiteral("CheckBox%1 wrote the wrong byte").arg(n)));
        Box(editor_, n)->click();
        *byte = 0;
        QVERIFY2(DifferingBytes(settings_, expected).empty(), qPrintable(QStringLiteral("CheckBox%1 unticked").arg(n)));
    }
}

void FilterEditorTest::EveryUserChangeEmitsUserChangedFirst() {
    // At the moment of the signal nothing of the change is visible yet.
    FilterSettings before;
    int emitted = 0;
    bool early = false;  // the change was already made when the signal came
    auto untouched = [&] { return DifferingBytes(settings_, before).empty(); };
    connect(editor_, &FilterEditor::UserChanged, this, [&] {
        ++emitted;
        if (!untouched()) early = true;
    });
    auto expectOne = [&](const QString& what, const std::function<void()>& act) {
        before = settings_;
        const int count = emitted;
        early = false;
        act();
        QVERIFY2(emitted == count + 1, qPrintable(what + " emitted " + QString::number(emitted - count)));
        QVERIFY2(!early, qPrintable(what + " changed settings before UserChanged"));
    };
    // The label clicks end with a Td mark everywhere, which enables all relation boxes.
    for (int p = 1; p <= 6; ++p)
        for (int c = 0; c < 3; ++c) {
            expectOne("Tp label", [&] { Click(TpLabel(editor_, p, c)); });
            expectOne("Td label", [&] { Click(TdLabel(editor_, p, c)); });
        }
    for (int n = 1; n <= 320; ++n)
        for (int twice = 0; twice < 2; ++twice)
            expectOne(QStringLiteral("CheckBox%1").arg(n), [&] { Box(editor_, n)->click(); });
    for (int g = 1; g <= 16; ++g) {
        expectOne(QStringLiteral("RadioGroup%1 on").arg(g), [&] { ChooseItem(editor_, g, 1); });
        expectOne(QStringLiteral("RadioGroup%1 off").arg(g), [&] { ChooseItem(editor_, g, 0); });
    }
    // Up-downs: the edit still shows the old value when the signal comes, also at a limit.
    for (const PairDesign& pair : Pairs) {
        for (int u : {pair.fromUpDown, pair.toUpDown}) {
            const int edit = u == pair.fromUpDown ? pair.fromEdit : pair.toEdit;
            QString seen;
            auto conn = connect(editor_, &FilterEditor::UserChanged, this, [&] { seen = Edit(editor_, edit)->text(); });
            const QString old = Edit(editor_, edit)->text();
            expectOne(QStringLiteral("UpDown%1 up").arg(u), [&] { UpDown(editor_, u)->ClickUp(); });
            QCOMPARE(seen, old);
            expectOne(QStringLiteral("UpDown%1 down").arg(u), [&] { UpDown(editor_, u)->ClickDown(); });
            disconnect(conn);
        }
    }
    // A click that picks the item already chosen is no change.
    const int count = emitted;
    ChooseItem(editor_, 4, 0);
    QCOMPARE(emitted, count);
}

void FilterEditorTest::FamilySwitchesHideAndShowWithoutLosingTicks_data() {
    QTest::addColumn<int>("group");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("box");
    QTest::newRow("RI") << 1 << QStringList{"Panel19"} << 20;
    QTest::newRow("RJ draws") << 2 << QStringList{"Panel21"} << 36;
    QTest::newRow("RJ twos") << 3 << QStringList{"Panel22"} << 43;
    const char* scorePanels[] = {"Panel25", "Panel27", "Panel28", "Panel31", "Panel32", "Panel33"};
    for (int p = 1; p <= 6; ++p)
        QTest::addRow("results %d", p) << 3 + p << QStringList{scorePanels[p - 1]} << 44 + 16 * (p - 1) + 5;
    QTest::newRow("P-N") << 16 << QStringList{"Panel71", "Panel72"} << 307;
    QTest::newRow("preferred") << 10 << QStringList{"Panel30", "Label54", "Panel34", "Label55", "Panel35"} << 170;
    QStringList rwPanels;
    for (int n = 36; n <= 52; ++n)
        if (n != 37) rwPanels << QStringLiteral("Panel%1").arg(n);
    QTest::newRow("RW") << 11 << rwPanels << 233;
    QTest::newRow("home block") << 12 << QStringList{"Panel54", "Panel55", "Panel56", "Panel57"} << 250;
    QTest::newRow("away block") << 13 << QStringList{"Panel59", "Panel60", "Panel61", "Panel62"} << 262;
    QTest::newRow("Block G") << 14 << QStringList{"Panel64", "Panel66"} << 288;
    QTest::newRow("Block D") << 15 << QStringList{"Panel68", "Panel69"} << 303;
}

void FilterEditorTest::FamilySwitchesHideAndShowWithoutLosingTicks() {
    QFETCH(int, group);
    QFETCH(QStringList, shown);
    QFETCH(int, box);
    ShowTabOf(Group(editor_, group));
    auto expectShown = [&](bool visible) {
        for (const QString& name : shown) QVERIFY2(Get(editor_, name)->isVisible() == visible, qPrintable(name));
    };
    ChooseItem(editor_, group, 1);
    FinishTimers();
    expectShown(true);
    QVERIFY(Box(editor_, box)->isVisible());
    Box(editor_, box)->click();
    FilterSettings ticked = editor_->SettingsForRun();
    QVERIFY(*ExpectedByte(ticked, box));

    ChooseItem(editor_, group, 0);
    expectShown(false);
    FilterSettings off = ticked;
    QCOMPARE(DifferingBytes(editor_->SettingsForRun(), off).size(), std::size_t(1));  // only the switch
    QVERIFY(Box(editor_, box)->isChecked());

    ChooseItem(editor_, group, 1);
    FinishTimers();
    expectShown(true);
    QVERIFY(Box(editor_, box)->isChecked());
    QCOMPARE(editor_->SettingsForRun(), ticked);
}

void FilterEditorTest::RiRevealRunsOncePerProgramRun() {
    ShowTabOf(Group(editor_, 1));
    ChooseItem(editor_, 1, 1);
    QVERIFY(Get(editor_, "Panel19")->isVisible());
    QVERIFY(Timer(editor_, 2)->isActive());
    for (int tick = 1; tick <= 28; ++tick) {
        editor_->Types()->Timer2Timer();
        for (int n = 8; n <= 35; ++n) QVERIFY(Box(editor_, n)->isVisible() == (n <= 7 + tick));
        if (tick == 10) {
            // Switching away and back during the reveal does not restart it.
            ChooseItem(editor_, 1, 0);
            QVERIFY(!Get(editor_, "Panel19")->isVisible());
            ChooseItem(editor_, 1, 1);
        }
    }
    QVERIFY(Timer(editor_, 2)->isActive());
    editor_->Types()->Timer2Timer();
    QVERIFY(!Timer(editor_, 2)->isActive());

    ChooseItem(editor_, 1, 0);
    ChooseItem(editor_, 1, 1);
    QVERIFY(!Timer(editor_, 2)->isActive());
    for (int n = 8; n <= 35; ++n) QVERIFY(Box(editor_, n)->isVisible());
}

void FilterEditorTest::RowRevealsStepAndStop_data() {
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("timer");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("preferred") << 10 << 3 << QStringList{"Panel30", "Label54", "Panel34", "Label55", "Panel35"};
    QTest::newRow("home block") << 12 << 4 << QStringList{"Panel54", "Panel55", "Panel56", "Panel57"};
    QTest::newRow("away block") << 13 << 5 << QStringList{"Panel59", "Panel60", "Panel61", "Panel62"};
}

void FilterEditorTest::RowRevealsStepAndStop() {
    QFETCH(int, group);
    QFETCH(int, timer);
    QFETCH(QStringList, order);
    auto tick = [&] {
        if (timer == 3) editor_->Preferences()->Timer3Timer();
        if (timer == 4) editor_->Blocks()->Timer4Timer();
        if (timer == 5) editor_->Blocks()->Timer5Timer();
    };
    ShowTabOf(Group(editor_, group));
    for (int round = 0; round < 2; ++round) {  // the reveal repeats after every switch-on
        ChooseItem(editor_, group, 1);
        QVERIFY(Timer(editor_, timer)->isActive());
        for (int step = 0; step <= order.size(); ++step) {
            for (int i = 0; i < order.size(); ++i)
                QVERIFY2(Get(editor_, order[i])->isVisible() == (i < step), qPrintable(order[i]));
            QVERIFY(Timer(editor_, timer)->isActive());
            tick();
        }
        QVERIFY(!Timer(editor_, timer)->isActive());
        ChooseItem(editor_, group, 0);
        for (const QString& name : order) QVERIFY(!Get(editor_, name)->isVisible());
    }
}

void FilterEditorTest::SwitchingOffStopsARowReveal() {
    ShowTabOf(Group(editor_, 12));
    ChooseItem(editor_, 12, 1);
    editor_->Blocks()->Timer4Timer();
    editor_->Blocks()->Timer4Timer();
    ChooseItem(editor_, 12, 0);
    QVERIFY(!Timer(editor_, 4)->isActive());
    for (const char* name : {"Panel54", "Panel55", "Panel56", "Panel57"}) QVERIFY(!Get(editor_, name)->isVisible());
}

void FilterEditorTest::TimersDriveTheirRevealsOnTheirOwn() {
    for (int group : {1, 10, 12, 13, 14, 15}) ChooseItem(editor_, group, 1);
    for (int t = 2; t <= 7; ++t) QVERIFY(Timer(editor_, t)->isActive());
    // Nine ticks of 100 ms finish every reveal and slide but the 28 RI steps.
    QVERIFY(QTest::qWaitFor([&] {
        for (int t = 3; t <= 7; ++t)
            if (Timer(editor_, t)->isActive()) return false;
        return true;
    }, 5000));
    for (const char* name : {"Panel35", "Panel57", "Panel62"}) QVERIFY2(!Get(editor_, name)->isHidden(), name);
    QCOMPARE(Get(editor_, "Panel64")->y(), 72);
    QCOMPARE(Get(editor_, "Panel68")->y(), 72);
    QVERIFY(!Box(editor_, 8)->isHidden());
}

void FilterEditorTest::BlockTemplatePanelsSlideUp_data() {
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("timer");
    QTest::addColumn<QString>("templates");
    QTest::addColumn<QString>("bounds");
    QTest::newRow("Block G") << 14 << 6 << "Panel64" << "Panel66";
    QTest::newRow("Block D") << 15 << 7 << "Panel68" << "Panel69";
}

void FilterEditorTest::BlockTemplatePanelsSlideUp() {
    QFETCH(int, group);
    QFETCH(int, timer);
    QFETCH(QString, templates);
    QFETCH(QString, bounds);
    auto tick = [&] { timer == 6 ? editor_->Blocks()->Timer6Timer() : editor_->Blocks()->Timer7Timer(); };
    ShowTabOf(Group(editor_, group));
    for (int round = 0; round < 2; ++round) {
        ChooseItem(editor_, group, 1);
        QVERIFY(Get(editor_, bounds)->isVisible());
        QVERIFY(Get(editor_, templates)->isVisible());
        QCOMPARE(Get(editor_, templates)->y(), 112);
        for (int top = 107; top >= 72; top -= 5) {
            tick();
            QCOMPARE(Get(editor_, templates)->y(), top);
            QVERIFY(Timer(editor_, timer)->isActive());
        }
        tick();
        QVERIFY(!Timer(editor_, timer)->isActive());
        QCOMPARE(Get(editor_, templates)->y(), 72);
        // Resting in place, the template panel does not cover the bounds.
        QVERIFY(!Get(editor_, templates)->geometry().intersects(Get(editor_, bounds)->geometry()));
        ChooseItem(editor_, group, 0);
        QVERIFY(!Get(editor_, templates)->isVisible());
        QVERIFY(!Get(editor_, bounds)->isVisible());
    }
}

void FilterEditorTest::SpinnerStartPositionsFillTheEdits() {
    FilterSettings fresh;
    FilterEditor editor(fresh);
    // The design leaves the edits blank; FormCreate fills them.
    for (const PairDesign& pair : Pairs) QCOMPARE(Edit(&editor, pair.fromEdit)->text(), QString());
    editor.SetSpinnerStartPositions();
    for (const PairDesign& pair : Pairs) {
        QCOMPARE(UpDown(&editor, pair.fromUpDown)->Position(), pair.fromStart);
        QCOMPARE(UpDown(&editor, pair.toUpDown)->Position(), pair.toStart);
        QCOMPARE(Edit(&editor, pair.fromEdit)->text(), QString::number(pair.fromStart));
        QCOMPARE(Edit(&editor, pair.toEdit)->text(), QString::number(pair.toStart));
    }
}

void FilterEditorTest::SpinnerPairsKeepFromNotAboveTo_data() {
    QTest::addColumn<int>("pair");
    for (int i = 0; i < 9; ++i) QTest::addRow("UpDown%d/UpDown%d", Pairs[i].fromUpDown, Pairs[i].toUpDown) << i;
}

void FilterEditorTest::SpinnerPairsKeepFromNotAboveTo() {
    QFETCH(int, pair);
    const PairDesign& d = Pairs[pair];
    UpDownSpinner* from = UpDown(editor_, d.fromUpDown);
    UpDownSpinner* to = UpDown(editor_, d.toUpDown);
    auto expect = [&](int f, int t) {
        QCOMPARE(from->Position(), f);
        QCOMPARE(to->Position(), t);
        QCOMPARE(Edit(editor_, d.fromEdit)->text(), QString::number(f));
        QCOMPARE(Edit(editor_, d.toEdit)->text(), QString::number(t));
    };
    // "from" climbs to "to" and stays there.
    for (int i = 0; i < 40; ++i) from->ClickUp();
    expect(d.toStart, d.toStart);
    // "to" cannot go below "from".
    to->ClickDown();
    expect(d.toStart, d.toStart);
    // Both stop at the ends of 0..36, without wrapping.
    for (int i = 0; i < 40; ++i) to->ClickUp();
    expect(d.toStart, 36);
    for (int i = 0; i < 40; ++i) from->ClickUp();
    expect(36, 36);
    for (int i = 0; i < 40; ++i) from->ClickDown();
    expect(0, 36);
    for (int i = 0; i < 40; ++i) to->ClickDown();
    expect(0, 0);
    // The arrow buttons themselves: right raises, left lowers.
    ShowTabOf(to);
    QTest::mouseClick(to->UpButton(), Qt::LeftButton);
    expect(0, 1);
    QTest::mouseClick(to->DownButton(), Qt::LeftButton);
    expect(0, 0);
}

void FilterEditorTest::SettingsForRunReadsTheEdits() {
    UpDown(editor_, 3)->ClickDown();   // total from 13
    UpDown(editor_, 8)->ClickUp();     // away to 10
    UpDown(editor_, 11)->ClickUp();    // Block G away from 4
    UpDown(editor_, 16)->ClickDown();  // Block D home to 4
    const FilterSettings run = editor_->SettingsForRun();
    FilterSettings expected;
    expected.TotalGoalsFrom = 13;
    expected.AwayGoalsTo = 10;
    expected.BlockGRange[4] = 4;
    expected.BlockDRange[3] = 4;
    QCOMPARE(run, expected);
    // The spinners write only their edits, never the settings bytes directly.
    QCOMPARE(settings_, FilterSettings{});
}

void FilterEditorTest::ApplySettingsRoundTrips_data() {
    QTest::addColumn<unsigned>("seed");
    for (unsigned seed = 1; seed <= 12; ++seed) QTest::addRow("seed %u", seed) << seed;
}

void FilterEditorTest::ApplySettingsRoundTrips() {
    QFETCH(unsigned, seed);
    const FilterSettings s = RandomSettings(seed);
    QSignalSpy changed(editor_, &FilterEditor::UserChanged);
    editor_->ApplySettings(s);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(editor_->SettingsForRun(), s);
    // The controls show what was applied, as the user would have set them.
    for (int p = 1; p <= 6; ++p)
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(TpShape(editor_, p, c)->BrushColor(), s.TypeMarks[p][c] == 1 ? ShapeGreen : ShapeWhite);
            QCOMPARE(TdShape(editor_, p, c)->BrushColor(), s.TypeMarks[p][c] == 2 ? ShapeYellow : ShapeWhite);
        }
    for (int k = 1; k <= 7; ++k) QCOMPARE(Box(editor_, k)->isEnabled(), kombinator::RelationBoxEnabled(s, k));
    QCOMPARE(Group(editor_, 14)->ItemIndex(), int(s.BlockGActive));
    QCOMPARE(Edit(editor_, 83)->text(), QString::number(s.TotalGoalsFrom));
    // A second apply back to the start state clears everything again.
    editor_->ApplySettings(FilterSettings{});
    QCOMPARE(editor_->SettingsForRun(), FilterSettings{});
    QCOMPARE(settings_.RiActive, std::uint8_t(0));
}

void FilterEditorTest::ApplySettingsShowsRevealedControlsAtOnce() {
    FilterSettings s;
    s.RiActive = s.PreferredActive = s.HomeBlockActive = s.AwayBlockActive = s.BlockGActive = s.BlockDActive = 1;
    // Start a reveal first: applying must finish it rather than leave it half done.
    ChooseItem(editor_, 10, 1);
    editor_->ApplySettings(s);
    for (int t = 2; t <= 7; ++t) QVERIFY(!Timer(editor_, t)->isActive());
    for (int n = 8; n <= 35; ++n) QVERIFY(!Box(editor_, n)->isHidden());
    for (const char* name : {"Panel19", "Panel30", "Label54", "Panel34", "Label55", "Panel35", "Panel54", "Panel57",
                             "Panel59", "Panel62", "Panel64", "Panel66", "Panel68", "Panel69"})
        QVERIFY2(!Get(editor_, name)->isHidden(), name);
    QCOMPARE(Get(editor_, "Panel64")->y(), 72);
    QCOMPARE(Get(editor_, "Panel68")->y(), 72);
    // Switched off by an apply, the same controls hide again.
    editor_->ApplySettings(FilterSettings{});
    for (const char* name : {"Panel19", "Panel30", "Panel35", "Panel54", "Panel62", "Panel64", "Panel69"})
        QVERIFY2(Get(editor_, name)->isHidden(), name);
}

void FilterEditorTest::ApplySettingsDropsBytesWithoutAControl() {
    FilterSettings s;
    s.RiTemplate[6][6] = 1;   // x + y > 6
    s.PnOverall[0] = 1;       // no box for 0 even counts
    s.PnHomeBlock[6] = 1;
    s.BlockGSigns[15] = 1;    // x + y > 3
    s.TypeMarks[1][0] = 7;    // not a mark
    s.ScoreAllowed[0][3] = 1; // no Position 0
    editor_->ApplySettings(s);
    QCOMPARE(editor_->SettingsForRun(), FilterSettings{});
    QCOMPARE(settings_, FilterSettings{});
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ApplyProgramLook(app);
    FilterEditorTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_filter_editor.moc"
