#include "masters/frmsplitedition.h"

#include "app/formhelpers.h"
#include "common/appcontext.h"
#include "common/dialogs.h"
#include "common/messages.h"
#include "common/sharedstate.h"
#include "lookup/frmlistview.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

const auto NewCaption = u"New - F2"_s;
const auto SaveCaption = u"Save - F5"_s;
constexpr int InitialGridRows = 30;  // the header row included
constexpr int GrowthRows = 10;

}  // namespace

frmSplitEdition::frmSplitEdition(AppContext &context, QWidget *parent)
    : QWidget(parent), Label5(new QLabel(u"Split Edition Master"_s, this)), TxCode(new QLineEdit(this)),
      TxName(new QLineEdit(this)), TxEditionCode(new QLineEdit(this)), LbEditionCode(new QLabel(this)),
      GrSplitEdition(new QTableWidget(0, 5, this)), CmNew(new QPushButton(NewCaption, this)),
      CmEdit(new QPushButton(u"Edit - F3"_s, this)), CmDelete(new QPushButton(u"Delete - F6"_s, this)),
      CmCancel(new QPushButton(u"Cancel - F8"_s, this)), CmClose(new QPushButton(u"Close - F9"_s, this)),
      m_context(context), m_store(context.db)
{
    setWindowTitle(u"Split Edition Master"_s);
    layOut();
    bindKeys();
    selectAllOnFocus({TxName, TxEditionCode});
    TxName->installEventFilter(this);
    TxEditionCode->installEventFilter(this);
    connect(TxEditionCode, &QLineEdit::textChanged, LbEditionCode, &QLabel::clear);
    connect(CmNew, &QPushButton::clicked, this, [this] { guarded(&frmSplitEdition::CmNew_Click); });
    connect(CmEdit, &QPushButton::clicked, this, [this] { guarded(&frmSplitEdition::CmEdit_Click); });
    connect(CmDelete, &QPushButton::clicked, this, [this] { guarded(&frmSplitEdition::CmDelete_Click); });
    connect(CmCancel, &QPushButton::clicked, this, &frmSplitEdition::CmCancel_Click);
    connect(CmClose, &QPushButton::clicked, this, &frmSplitEdition::CmClose_Click);
    enterPressesButtons(this);
    Form_Load();
}

void frmSplitEdition::layOut()
{
    QFont title(u"Times New Roman"_s, 16, QFont::Bold);
    Label5->setFont(title);
    Label5->setAlignment(Qt::AlignCenter);
    LbEditionCode->setFont(QFont(u"Times New Roman"_s, 11));
    LbEditionCode->setMinimumWidth(twipsToPixels(3000));

    auto *fields = new QFormLayout;
    fields->addRow(u"Code"_s, TxCode);
    fields->addRow(u"Split Edition"_s, TxName);
    auto *edition = new QHBoxLayout;
    edition->addWidget(TxEditionCode);
    edition->addWidget(LbEditionCode, 1);
    fields->addRow(u"Edition"_s, edition);
    TxCode->setMaximumWidth(twipsToPixels(1500));
    TxEditionCode->setMaximumWidth(twipsToPixels(1500));

    GrSplitEdition->verticalHeader()->hide();
    GrSplitEdition->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GrSplitEdition->setSelectionBehavior(QAbstractItemView::SelectRows);
    GrSplitEdition->setSelectionMode(QAbstractItemView::SingleSelection);
    GrSplitEdition->setHorizontalHeaderLabels({QString(), u"Code"_s, u"Split Edition"_s, u"Edition"_s, QString()});
    const int widths[] = {0, 800, 4450, 3000, 0};
    for (int column = 0; column < 5; ++column) {
        GrSplitEdition->setColumnHidden(column, widths[column] == 0);
        GrSplitEdition->setColumnWidth(column, twipsToPixels(widths[column]));
    }
    GrSplitEdition->setMinimumWidth(twipsToPixels(800 + 4450 + 3000 + 400));

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {CmNew, CmEdit, CmDelete})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(CmCancel);
    buttons->addWidget(CmClose);

    auto *form = new QVBoxLayout(this);
    form->addWidget(Label5);
    form->addLayout(fields);
    form->addWidget(GrSplitEdition, 1);
    form->addLayout(buttons);

    setTabOrder(TxCode, TxName);
    setTabOrder(TxName, TxEditionCode);
    setTabOrder(TxEditionCode, CmNew);
    setTabOrder(CmNew, CmEdit);
    setTabOrder(CmEdit, CmDelete);
    setTabOrder(CmDelete, CmCancel);
    setTabOrder(CmCancel, CmClose);
    resize(twipsToPixels(9200), twipsToPixels(7000));
}

// The keys named in the captions press their buttons; F2 and F5 share the New/Save button, each
// only in its own mode, so F2 never saves and F5 never starts a new entry.
void frmSplitEdition::bindKeys()
{
    const auto bind = [this](
                          Qt::Key key, QPushButton *button, std::function<bool()> when = [] { return true; }) {
        auto *shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, button, [button, when] {
            if (button->isEnabled() && when())
                button->click();
        });
    };
    bind(Qt::Key_F2, CmNew, [this] { return m_mode == Mode::Browse; });
    bind(Qt::Key_F5, CmNew, [this] { return m_mode != Mode::Browse; });
    bind(Qt::Key_F3, CmEdit);
    bind(Qt::Key_F6, CmDelete);
    bind(Qt::Key_F8, CmCancel);
    bind(Qt::Key_F9, CmClose);
}

void frmSplitEdition::Form_Load()
{
    SetEditMode(false);
    guarded(&frmSplitEdition::FillSplitGrid);
}

void frmSplitEdition::guarded(void (frmSplitEdition::*handler)())
{
    // The save reports its failure with the information icon; the master's other failures alike.
    runHandler(
        m_context.dialogs, [this, handler] { (this->*handler)(); }, Dialogs::Icon::Information);
}

bool frmSplitEdition::permitted()
{
    if (mayChangeSplitEditions(m_context.state.CurrentUserId))
        return true;
    m_context.dialogs.message(Msg::NotAllowed, Dialogs::Icon::Critical);
    return false;
}

void frmSplitEdition::CmNew_Click()
{
    if (!permitted())
        return;
    if (m_mode == Mode::Browse) {
        m_mode = Mode::Adding;
        SetEditMode(true);
        ClearSplitFields();
        m_proposedCode = m_store.proposedCode(m_context.dialogs);
        TxCode->setText(m_proposedCode);
        TxName->setFocus();
        FillSplitGrid();
        return;
    }
    if (!fieldsComplete())
        return;
    if (m_mode == Mode::Editing ? UpdateSplitEdition() : InsertSplitEdition()) {
        m_mode = Mode::Browse;
        SetEditMode(false);
        FillSplitGrid();
    }
}

// A name or edition of blanks alone counts as empty: it would store a nameless split edition, or
// one the grid can never list. So would an edition the edition master does not know: the grid
// lists a split edition through its edition, and one it cannot list can be neither edited nor
// deleted.
bool frmSplitEdition::fieldsComplete()
{
    if (TxName->text().trimmed().isEmpty()) {
        m_context.dialogs.message(Msg::EnterSplitEdition);
        TxName->setFocus();
        return false;
    }
    const QString edition = TxEditionCode->text().trimmed();
    if (edition.isEmpty()) {
        m_context.dialogs.message(Msg::SelectEdition);
        TxEditionCode->setFocus();
        return false;
    }
    if (!m_store.editionKnown(edition)) {
        m_context.dialogs.message(Msg::unknownEdition(edition));
        TxEditionCode->setFocus();
        return false;
    }
    return true;
}

SplitEditionEntry frmSplitEdition::entry() const
{
    return {m_context.state.CurrentUnitCode,
            TxCode->text(),
            TxName->text(),
            TxEditionCode->text(),
            m_context.state.CurrentUserId,
            QDateTime::currentDateTime(),
            m_proposedCode};
}

bool frmSplitEdition::InsertSplitEdition()
{
    if (m_store.insert(entry()) == SplitEditionSave::Saved)
        return true;
    m_context.dialogs.message(Msg::SplitEditionExists);
    TxName->setFocus();
    return false;
}

bool frmSplitEdition::UpdateSplitEdition()
{
    switch (m_store.update(m_editName, entry())) {
    case SplitEditionSave::Saved: return true;
    case SplitEditionSave::DuplicateName:
        m_context.dialogs.message(Msg::SplitEditionExists);
        TxName->setFocus();
        return false;
    case SplitEditionSave::Missing: break;
    }
    // Deleted at another workstation: nothing left to save, back to the refreshed list.
    m_context.dialogs.message(Msg::SplitEditionGone);
    return true;
}

const SplitEdition *frmSplitEdition::selectedEdition() const
{
    const int row = GrSplitEdition->currentRow();
    return row >= 0 && row < m_listed.size() ? &m_listed.at(row) : nullptr;
}

void frmSplitEdition::CmEdit_Click()
{
    if (!permitted())
        return;
    const SplitEdition *edition = selectedEdition();
    if (!edition)
        return;
    m_mode = Mode::Editing;
    m_editName = edition->name;
    SetEditMode(true);
    TxCode->setText(edition->code);
    TxName->setText(edition->name);
    TxEditionCode->setText(edition->editionCode);
    LbEditionCode->setText(edition->editionName);
    TxName->setFocus();
}

void frmSplitEdition::CmDelete_Click()
{
    if (!permitted())
        return;
    const SplitEdition *edition = selectedEdition();
    if (!edition)
        return;
    if (m_context.dialogs.message(Msg::deleteSplitEdition(edition->name), Dialogs::Icon::Question,
                                  Dialogs::Buttons::YesNo)
        != Dialogs::Answer::Yes)
        return;
    m_store.remove(edition->name);
    // Fields that showed it would show an edition that is gone.
    ClearSplitFields();
    FillSplitGrid();
}

void frmSplitEdition::CmCancel_Click()
{
    m_mode = Mode::Browse;
    SetEditMode(false);
}

void frmSplitEdition::CmClose_Click() { unloadForm(this); }

// The window's own close button follows Close: refused while a new entry or an edit is under way.
void frmSplitEdition::closeEvent(QCloseEvent *event)
{
    if (m_mode == Mode::Browse)
        event->accept();
    else
        event->ignore();
}

void frmSplitEdition::EditionHelp()
{
    frmListView help(m_context, this);
    const HelpRow picked = help.pick(unitHelp()).value_or(HelpRow());
    TxEditionCode->setText(picked[0]);
    LbEditionCode->setText(picked[1]);
    // Read: the shared selection is left empty for the next caller.
    m_context.state.HelpSelection[0].clear();
    m_context.state.HelpSelection[1].clear();
}

void frmSplitEdition::ClearSplitFields()
{
    TxCode->clear();
    TxName->clear();
    TxEditionCode->clear();
}

// Browse mode (off): fields locked, the list's buttons free. New or edit mode (on): the reverse.
void frmSplitEdition::SetEditMode(bool on)
{
    for (QWidget *field : {static_cast<QWidget *>(TxCode), static_cast<QWidget *>(TxName),
                           static_cast<QWidget *>(TxEditionCode), static_cast<QWidget *>(CmCancel)})
        field->setEnabled(on);
    for (QPushButton *button : {CmEdit, CmDelete, CmClose})
        button->setEnabled(!on);
    CmNew->setText(on ? SaveCaption : NewCaption);
    // An edit keeps the split edition's code: the box shows it but does not take changes.
    TxCode->setReadOnly(m_mode == Mode::Editing);
}

// Grid row i (1 for the first split edition) is table row i - 1; the header row is the table's.
void frmSplitEdition::FillSplitGrid()
{
    m_listed = m_store.list();
    GrSplitEdition->clearContents();
    GrSplitEdition->setRowCount(InitialGridRows - 1);
    int i = 1;
    for (const SplitEdition &edition : std::as_const(m_listed)) {
        if (i >= GrSplitEdition->rowCount() + 1)
            GrSplitEdition->setRowCount(GrSplitEdition->rowCount() + GrowthRows);
        GrSplitEdition->setItem(i - 1, 1, new QTableWidgetItem(edition.code));
        GrSplitEdition->setItem(i - 1, 2, new QTableWidgetItem(edition.name));
        GrSplitEdition->setItem(i - 1, 3, new QTableWidgetItem(edition.editionName));
        ++i;
    }
}

bool frmSplitEdition::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (watched == TxName && isEnter(key->key())) {
        if (!TxName->text().isEmpty())
            TxEditionCode->setFocus();
        return true;
    }
    if (watched == TxEditionCode) {
        if (key->key() == Qt::Key_F1) {
            guarded(&frmSplitEdition::EditionHelp);
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            TxEditionCode->clear();
            LbEditionCode->clear();
            return true;
        }
        if (isEnter(key->key())) {
            CmNew->setFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
