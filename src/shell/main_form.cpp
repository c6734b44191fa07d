#include "shell/main_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "prices/decimal_separator.h"
#include "print/fprint_form.h"
#include "shell/artwork.h"
#include "shell/common.h"
#include "shell/help_form.h"
#include "shell/main_form_widgets.h"
#include "shell/mes_form.h"
#include "shell/sheet_table_model.h"
#include "shell/ui_font.h"
#include "shell/stdbuilder.h"
#include "shell/ui_style.h"

using calc::DimensionId;
using calc::OptionId;
using calc::SelectorId;

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, const QFont& font, const QColor& color) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QFrame* MakePanel(QWidget* parent, const QRect& place, bool raised) {
    auto* panel = new QFrame(parent);
    panel->setGeometry(place);
    if (raised) {
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Raised);
        panel->setLineWidth(1);
    }
    return panel;
}

// Group boxes on the input side: their places, and which body part or input they hold.
struct GroupPlace {
    const char* name;
    const char* caption;
    int top;
};
constexpr GroupPlace kHoodGroup{"GroupBox2", "Капот", 8};
constexpr GroupPlace kRoofGroup{"GroupBox1", "Крыша", 80};
constexpr GroupPlace kTailGateGroup{"GroupBox3", "Крышка багажника", 152};
constexpr GroupPlace kFloorGroup{"GroupBox4", "Пол и арки", 224};
constexpr GroupPlace kDoorGroup{"GroupBox6", "Двери", 296};
constexpr GroupPlace kOptionGroup{"GroupBox5", "Дополнительные опции", 368};

const QString kNoteOptions = QStringLiteral("В расчет берется шумоизоляционный и виброизоляционный материалы");
const QString kNoteSeal = QStringLiteral(
    "Рузелин (тканевая самоклейка 100% синтетика). Применяется для крепления проводки к кузову авто,обмотка "
    "проводки,уплотнение и обклейка стыков пластиковых панелей и элементов отделки. Расчет ~ 0,2 м2 на машину.");

} // namespace

TMainForm::TMainForm(QWidget* owner) : QDialog(owner), m_model(prices::UserDecimalSeparator()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(BuildVersionCaption(QCoreApplication::applicationFilePath(), QString::fromUtf8(kMainCaptionBase)));
    setWindowIcon(shell::CalculatorIcon());
    BuildLayout();
    WireInputs();
    m_model.InputsChanged = [this] { ShowInputs(); };

    // Key preview: the window sees every key press before the focused control.
    qApp->installEventFilter(this);

    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setSingleShot(true);
    m_timer1.setInterval(100);
    connect(&m_timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    m_timer1.start();
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(this);
    m_model.InputsChanged = nullptr;
    // The widgets go with the QDialog base, after the model: cut them off from it first, so that a
    // focus change while the window is torn down reaches no handler.
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
    m_grid->setModel(nullptr);
    delete m_table;
}

void TMainForm::BuildLayout() {
    setFont(shell::UiFont(11));
    setFixedSize(1201, 559);
    move(49, 97);

    // Title band.
    auto* title = new QLabel(this);
    title->setObjectName(QStringLiteral("Panel1"));
    title->setGeometry(0, 0, 1201, 41);
    title->setFrameShape(QFrame::Panel);
    title->setFrameShadow(QFrame::Raised);
    title->setAlignment(Qt::AlignCenter);
    title->setAutoFillBackground(true);
    title->setFont(shell::UiFont(19, true));
    {
        QPalette p = title->palette();
        p.setColor(QPalette::Window, uistyle::kLightCyan);
        p.setColor(QPalette::WindowText, uistyle::kNavy);
        title->setPalette(p);
    }
    title->setText(QStringLiteral("РАСЧЕТ СТОИМОСТИ И РАСХОДА МАТЕРИАЛОВ  \"ТОРМЕЛЬ\" НА ВАШ АВТОМОБИЛЬ"));

    QFrame* inputSide = MakePanel(this, {0, 41, 553, 518}, true);
    inputSide->setObjectName(QStringLiteral("Panel2"));
    auto* resultSide = new QWidget(this);
    resultSide->setObjectName(QStringLiteral("Panel3"));
    resultSide->setGeometry(553, 41, 648, 518);

    auto makeGroup = [inputSide](const GroupPlace& place) {
        auto* group = new GroupFrame(QString::fromUtf8(place.caption), inputSide);
        group->setObjectName(QString::fromLatin1(place.name));
        group->setGeometry(8, place.top, 537, 65);
        group->setFont(shell::UiFont(13, true));
        QPalette p = group->palette();
        p.setColor(QPalette::WindowText, uistyle::kNavy);
        group->setPalette(p);
        return group;
    };
    const QFont labelFont = shell::UiFont(11, true);
    const QFont inputFont = shell::UiFont(13);
    const QColor windowText = palette().color(QPalette::WindowText);

    auto makeSelector = [this, &inputFont](QWidget* group, SelectorId id, int x, int y, int w) {
        auto* box = new SelectorBox(group);
        box->setObjectName(QString::fromLatin1(calc::SelectorName(id)));
        box->setGeometry(x, y, w, 24);
        box->setFont(inputFont);
        for (const calc::SelectorItem& item : m_model.Inputs().Selector(id).items)
            box->addItem(QString::fromStdString(item.text));
        box->ShowChoice(-1, QString());
        m_selectors[static_cast<std::size_t>(id)] = box;
    };
    auto makeLayerLabels = [&](QWidget* group) {
        MakeLabel(group, QStringLiteral("Виброизоляция"), 176, 16, labelFont, windowText);
        MakeLabel(group, QStringLiteral("Шумоизоляция"), 304, 16, labelFont, windowText);
        MakeLabel(group, QStringLiteral("Теплоизоляция"), 424, 16, labelFont, windowText);
    };
    auto makeDimensionGroup = [&](const GroupPlace& place, DimensionId length, DimensionId width, SelectorId vibro,
                                  SelectorId noise, SelectorId heat) {
        QGroupBox* group = makeGroup(place);
        MakeLabel(group, QStringLiteral("Длина (мм)"), 8, 16, labelFont, windowText);
        MakeLabel(group, QStringLiteral("Ширина (мм)"), 88, 16, labelFont, windowText);
        makeLayerLabels(group);
        for (auto [id, x] : {std::pair{length, 8}, std::pair{width, 88}}) {
            auto* edit = new DimensionEdit(group);
            edit->setObjectName(QString::fromLatin1(calc::DimensionName(id)));
            edit->setGeometry(x, 32, 49, 24);
            edit->setFont(inputFont);
            m_edits[static_cast<std::size_t>(id)] = edit;
        }
        makeSelector(group, vibro, 176, 32, 105);
        makeSelector(group, noise, 304, 32, 97);
        makeSelector(group, heat, 424, 33, 97);
    };
    makeDimensionGroup(kHoodGroup, DimensionId::HoodL, DimensionId::HoodW, SelectorId::HoodVibro,
                       SelectorId::HoodNoise, SelectorId::HoodHeat);
    makeDimensionGroup(kRoofGroup, DimensionId::RoofL, DimensionId::RoofW, SelectorId::RoofVibro,
                       SelectorId::RoofNoise, SelectorId::RoofHeat);
    makeDimensionGroup(kTailGateGroup, DimensionId::TailGateL, DimensionId::TailGateW, SelectorId::TailGateVibro,
                       SelectorId::TailGateNoise, SelectorId::TailGateHeat);
    makeDimensionGroup(kFloorGroup, DimensionId::FloorL, DimensionId::FloorW, SelectorId::FloorVibro,
                       SelectorId::FloorNoise, SelectorId::FloorHeat);

    QGroupBox* doors = makeGroup(kDoorGroup);
    MakeLabel(doors, QStringLiteral("Количество"), 16, 32, labelFont, windowText)->setObjectName("Label23");
    m_doors = new QSpinBox(doors);
    m_doors->setObjectName(QStringLiteral("SpNumDoors"));
    m_doors->setGeometry(96, 24, 41, 30);
    m_doors->setRange(calc::kMinDoors, calc::kMaxDoors);
    m_doors->setSingleStep(1);
    m_doors->setFont(shell::UiFont(16, true));
    {
        QPalette p = m_doors->palette();
        p.setColor(QPalette::Text, uistyle::kBlack);
        m_doors->setPalette(p);
    }
    makeLayerLabels(doors);
    makeSelector(doors, SelectorId::DoorVibro, 176, 32, 105);
    makeSelector(doors, SelectorId::DoorNoise, 304, 32, 97);
    makeSelector(doors, SelectorId::DoorHeat, 424, 33, 97);

    QGroupBox* options = makeGroup(kOptionGroup);
    struct OptionPlace {
        OptionId id;
        const char* caption;
        int left;
        int width;
    };
    for (const OptionPlace& o : {OptionPlace{OptionId::Torpeda, "Торпедо", 8, 177},
                                 OptionPlace{OptionId::ParcelShelf, "Задняя полка", 120, 217},
                                 OptionPlace{OptionId::Seal, "Уплотнитель", 264, 217}}) {
        auto* box = new QCheckBox(QString::fromUtf8(o.caption), options);
        box->setObjectName(QString::fromLatin1(calc::OptionName(o.id)));
        box->setGeometry(o.left, 32, o.width, 17);
        box->setFont(shell::UiFont(13, true));
        QPalette p = box->palette();
        p.setColor(QPalette::WindowText, uistyle::kBlack);
        box->setPalette(p);
        m_options[static_cast<std::size_t>(o.id)] = box;
    }
    // The option boxes overlap in width; the later ones lie on top, as placed.

    auto makeButton = [inputSide](const char* name, const QString& caption, int left, int width) {
        auto* button = new QPushButton(caption, inputSide);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(left, 464, width, 41);
        button->setFont(shell::UiFont(19, true));
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setIconSize(QSize(16, 16));
        QPalette p = button->palette();
        p.setColor(QPalette::ButtonText, uistyle::kDarkBlue);
        button->setPalette(p);
        return button;
    };
    m_buHelp = makeButton("BuHelp", QStringLiteral("Справка"), 16, 113);
    m_buHelp->setIcon(shell::HelpButtonIcon());
    m_buClear = makeButton("BuClear", QStringLiteral("Очистить"), 208, 137);
    m_buClear->setIcon(shell::ClearButtonIcon());
    m_buPrint = makeButton("BuPrint", QStringLiteral("Печать "), 416, 113);
    m_buPrint->setIcon(shell::PrintButtonIcon());

    // Result side: the grid area, the totals and the notes.
    auto* gridArea = new QWidget(resultSide);
    gridArea->setGeometry(0, 0, 648, 324);
    m_grid = new SheetGrid(gridArea);
    m_grid->setObjectName(QStringLiteral("GrMain"));
    m_grid->setGeometry(0, 0, 648, 324);
    m_grid->setFrameShape(QFrame::NoFrame);
    m_table = new SheetTableModel(m_model, m_model.DecimalSeparator(), this);
    m_grid->setModel(m_table);
    m_delegate = new PriceDelegate(m_model.DecimalSeparator(), this);
    m_grid->setItemDelegate(m_delegate);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    m_grid->setTabKeyNavigation(true);
    m_grid->setWordWrap(false);
    m_grid->setTextElideMode(Qt::ElideNone); // a long size text is cut at the column's edge, not shortened
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setFixedHeight(19);
    for (int c = 0; c < SheetTableModel::ColumnCount; ++c)
        m_grid->setColumnWidth(c, SheetTableModel::ColumnWidth(c));
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(16);
    m_grid->verticalHeader()->setMinimumSectionSize(16);
    m_grid->verticalHeader()->setFixedWidth(12);
    m_grid->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);

    QFrame* totals = MakePanel(resultSide, {0, 324, 648, 41}, true);
    totals->setObjectName(QStringLiteral("Panel4"));
    const QFont totalCaption = shell::UiFont(19, true);
    const QFont totalValue = shell::UiFont(16, true);
    MakeLabel(totals, QStringLiteral("Итого: Вес (кг.) - "), 16, 8, totalCaption, uistyle::kBlue)
        ->setObjectName("StaticText1");
    m_stAllWeight = MakeLabel(totals, QString::fromStdString(m_model.StAllWeight()), 188, 8, totalValue, uistyle::kRed);
    m_stAllWeight->setObjectName(QStringLiteral("StAllWeight"));
    MakeLabel(totals, QStringLiteral("Стоимость - "), 296, 5, totalCaption, uistyle::kBlue)
        ->setObjectName("StaticText2");
    m_stSumma = MakeLabel(totals, QString::fromStdString(m_model.StSumma()), 428, 8, totalValue, uistyle::kRed);
    m_stSumma->setObjectName(QStringLiteral("StSumma"));

    QFrame* notes = MakePanel(resultSide, {0, 365, 648, 153}, true);
    notes->setObjectName(QStringLiteral("Panel5"));
    const QFont noteTitleFont = shell::UiFont(13, true);
    const QFont noteFont = shell::UiFont(13);
    auto makeNoteTitle = [&](const char* name, const QString& text, int top) {
        QLabel* label = MakeLabel(notes, text, 8, top, noteTitleFont, uistyle::kBlue);
        label->setObjectName(QString::fromLatin1(name));
        label->setFrameShape(QFrame::Box);
        label->setLineWidth(1);
        label->setFixedSize(122, 24);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setIndent(2);
    };
    makeNoteTitle("StaticText4", QStringLiteral("ЗАДНЯЯ ПОЛКА"), 16);
    MakeLabel(notes, kNoteOptions, 132, 21, noteFont, uistyle::kBlue)->setObjectName("StaticText7");
    makeNoteTitle("StaticText3", QStringLiteral("ТОРПЕДО"), 49);
    MakeLabel(notes, kNoteOptions, 132, 53, noteFont, uistyle::kBlue)->setObjectName("StaticText6");
    makeNoteTitle("StaticText5", QStringLiteral("УПЛОТНИТЕЛЬ"), 81);
    QLabel* seal = MakeLabel(notes, kNoteSeal, 134, 80, noteFont, uistyle::kBlue);
    seal->setObjectName(QStringLiteral("StaticText8"));
    seal->setWordWrap(true);
    seal->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    seal->setFixedSize(427, 73);

    // Tab order: the roof before the hood although the hood is shown first; focus starts in EdRoofL.
    std::vector<QWidget*> order;
    auto addPart = [&](DimensionId l, DimensionId w, SelectorId v, SelectorId n, SelectorId h) {
        for (DimensionId d : {l, w})
            order.push_back(m_edits[static_cast<std::size_t>(d)]);
        for (SelectorId s : {v, n, h})
            order.push_back(m_selectors[static_cast<std::size_t>(s)]);
    };
    addPart(DimensionId::RoofL, DimensionId::RoofW, SelectorId::RoofVibro, SelectorId::RoofNoise, SelectorId::RoofHeat);
    addPart(DimensionId::HoodL, DimensionId::HoodW, SelectorId::HoodVibro, SelectorId::HoodNoise, SelectorId::HoodHeat);
    addPart(DimensionId::TailGateL, DimensionId::TailGateW, SelectorId::TailGateVibro, SelectorId::TailGateNoise,
            SelectorId::TailGateHeat);
    addPart(DimensionId::FloorL, DimensionId::FloorW, SelectorId::FloorVibro, SelectorId::FloorNoise,
            SelectorId::FloorHeat);
    for (SelectorId s : {SelectorId::DoorVibro, SelectorId::DoorNoise, SelectorId::DoorHeat})
        order.push_back(m_selectors[static_cast<std::size_t>(s)]);
    order.push_back(m_doors);
    for (QCheckBox* box : m_options)
        order.push_back(box);
    order.push_back(m_buPrint);
    order.push_back(m_buHelp);
    order.push_back(m_buClear);
    order.push_back(m_grid);
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    m_edits[static_cast<std::size_t>(DimensionId::RoofL)]->setFocus(Qt::OtherFocusReason);
}

void TMainForm::WireInputs() {
    for (std::size_t i = 0; i < calc::kDimensionCount; ++i) {
        const auto id = static_cast<DimensionId>(i);
        DimensionEdit* edit = m_edits[i];
        connect(edit, &QLineEdit::textEdited, this,
                [this, id, edit] { Guarded([&] { m_model.SetDimensionText(id, edit->MaskedText()); }); });
        connect(edit, &DimensionEdit::entered, edit, &QLineEdit::selectAll);
        connect(edit, &DimensionEdit::exited, this, [this, id] { Guarded([&] { m_model.EdExit(id); }); });
    }
    for (std::size_t i = 0; i < calc::kSelectorCount; ++i) {
        const auto id = static_cast<SelectorId>(i);
        connect(m_selectors[i], &QComboBox::activated, this,
                [this, id](int index) { Guarded([&] { m_model.ChooseItem(id, index); }); });
    }
    for (std::size_t i = 0; i < calc::kOptionCount; ++i) {
        const auto id = static_cast<OptionId>(i);
        connect(m_options[i], &QCheckBox::toggled, this,
                [this, id](bool checked) { Guarded([&] { m_model.SetOption(id, checked); }); });
    }
    connect(m_doors, &QSpinBox::valueChanged, this,
            [this](int value) { Guarded([&] { m_model.SetNumDoors(value); }); });
    // A count emptied by the user reads as the minimum; the box shows it once it loses the focus.
    connect(m_doors, &QSpinBox::textChanged, this, [this](const QString& text) {
        if (text.trimmed().isEmpty())
            Guarded([&] { m_model.SetNumDoors(calc::kMinDoors); });
    });
    connect(m_doors, &QSpinBox::editingFinished, this, [this] {
        if (m_doors->text().trimmed().isEmpty() || m_doors->value() != m_model.Inputs().numDoors) {
            const QSignalBlocker block(m_doors);
            m_doors->setValue(m_model.Inputs().numDoors);
        }
    });

    connect(m_buHelp, &QPushButton::clicked, this, &TMainForm::BuHelpClick);
    connect(m_buClear, &QPushButton::clicked, this, &TMainForm::BuClearClick);
    connect(m_buPrint, &QPushButton::clicked, this, &TMainForm::BuPrintClick);

    connect(m_table, &SheetTableModel::sheetChanged, this, &TMainForm::ShowTotals);
    connect(m_table, &SheetTableModel::currentRowMoved, this, &TMainForm::FollowSheetRow);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (m_followingSheet || !current.isValid() || current.row() == previous.row())
                    return;
                Guarded([&] { m_model.Sheet().MoveTo(current.row()); });
            });
    connect(m_grid, &SheetGrid::deleteReleased, this, [this](int column) {
        Guarded([&] { m_model.DeletePrice(SheetTableModel::FieldOf(column)); });
    });
    connect(m_grid, &SheetGrid::focusLeft, this, [this] { Guarded([&] { m_model.PostPendingEdit(); }); });
    connect(m_delegate, &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                if (hint == QAbstractItemDelegate::SubmitModelCache) // Enter confirms the row
                    Guarded([&] { m_model.PostPendingEdit(); });
            });
    connect(m_delegate, &PriceDelegate::refused, this, [this](const QString& message) {
        // Shown once the editor has closed, so the box does not take the focus from an open editor.
        QTimer::singleShot(0, this, [message] { ShowExceptionBox(message); });
    });
}

void TMainForm::FollowSheetRow(int row) {
    if (row < 0 || row >= m_table->rowCount())
        return;
    const int column = std::max(m_grid->currentIndex().column(), 0);
    m_followingSheet = true;
    m_grid->setCurrentIndex(m_table->index(row, column));
    m_followingSheet = false;
}

void TMainForm::ShowInputs() {
    const calc::CalcInputs& in = m_model.Inputs();
    for (std::size_t i = 0; i < calc::kDimensionCount; ++i) {
        const QSignalBlocker block(m_edits[i]);
        m_edits[i]->SetMaskedText(in.dimensions[i]);
    }
    for (std::size_t i = 0; i < calc::kSelectorCount; ++i)
        m_selectors[i]->ShowChoice(in.selectors[i].itemIndex, QString::fromStdString(in.selectors[i].text));
    for (std::size_t i = 0; i < calc::kOptionCount; ++i) {
        const QSignalBlocker block(m_options[i]);
        m_options[i]->setChecked(in.options[i]);
    }
    const QSignalBlocker block(m_doors);
    m_doors->setValue(in.numDoors);
}

void TMainForm::ShowTotals() {
    m_stSumma->setText(QString::fromStdString(m_model.StSumma()));
    m_stSumma->adjustSize();
    m_stAllWeight->setText(QString::fromStdString(m_model.StAllWeight()));
    m_stAllWeight->adjustSize();
}

void TMainForm::Guarded(const std::function<void()>& handler) {
    RunGuarded([&] {
        try {
            handler();
        } catch (...) {
            ShowTotals(); // what the recalculation wrote before it stopped
            throw;
        }
    });
}

void TMainForm::Timer1Timer() {
    Guarded([this] { m_model.Timer1Timer(); });
    ShowInputs();
    ShowTotals();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && (widget == this || isAncestorOf(widget))) {
            const QString text = static_cast<QKeyEvent*>(event)->text();
            if (text.size() == 1 && !calc::FormKeyPressAccepts(text.at(0).unicode()))
                return true; // FormKeyPress: no exponent letters anywhere in the window
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TMainForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_restored) {
        m_restored = true;
        RestoreStoredState();
    }
}

void TMainForm::RestoreStoredState() {
    // A failure to read is shown; the window opens with whatever could be restored.
    RunGuarded([this] {
        prices::FormStorage storage;
        const QByteArray placement = storage.Placement();
        if (!placement.isEmpty())
            restoreGeometry(placement);
        m_model.Restore(storage.Restore());
    });
}

bool TMainForm::FormCloseQuery() {
    // A price typed but not yet confirmed is taken, and a row still in edit is posted, before the
    // price list is written.
    m_delegate->CommitOpenEditor();
    bool canClose = true;
    RunGuarded([&] { canClose = m_model.FormCloseQuery(); });
    return canClose;
}

void TMainForm::StoreState() {
    // A failure to write is shown; the window still closes.
    RunGuarded([this] {
        prices::FormStorage storage;
        storage.StorePlacement(saveGeometry());
        storage.Store(m_model.StoredProperties());
    });
}

void TMainForm::done(int result) {
    if (!m_stored) {
        m_stored = true;
        m_timer1.stop();
        FormCloseQuery();
        StoreState();
    }
    QDialog::done(result);
}

void TMainForm::keyPressEvent(QKeyEvent* event) {
    // Neither Esc nor Enter does anything here (no default or cancel button in this window).
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TMainForm::BuHelpClick() {
    RunGuarded([this] { ShowHelpModeless(this, m_helpForm); });
}

void TMainForm::BuClearClick() {
    RunGuarded([this] {
        MesDefaultButton = 1;
        if (MesDialog(3, QStringLiteral("\nВы действительно хотите очистить все введенные данные ?")) != MesContinue)
            return;
        m_delegate->CommitOpenEditor();
        m_model.ClearInputs();
    });
    ShowInputs();
    ShowTotals();
}

void TMainForm::BuPrintClick() {
    RunGuarded([this] {
        // A price typed but not yet confirmed goes onto the page.
        m_delegate->CommitOpenEditor();
        if (FPrintForm == nullptr)
            throw std::logic_error("Окно предварительного просмотра не создано");
        PreviewSpecification(m_model.Sheet(), *FPrintForm, m_model.DecimalSeparator());
    });
    ShowTotals();
}
