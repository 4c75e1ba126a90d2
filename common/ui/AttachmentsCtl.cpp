#include "common/ui/AttachmentsCtl.h"

#include "common/PromptService.h"
#include "common/SharedAccess.h"
#include "common/WaitCursor.h"
#include "common/clsSystem.h"
#include "common/ui/clsSystemUI.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <sys/stat.h>

namespace {

const QString kAllFiles = QStringLiteral("All Files (*.*)|*.*");
constexpr qsizetype kMaxNameBytes = 255;

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& tip)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    return b;
}

// True when both paths name one existing file: the same text, the same file
// behind links and "./", or the same device and inode (which also finds one
// file under two spellings on a share that ignores letter case). Letter
// case alone never makes two names one file.
bool sameFile(const QString& a, const QString& b)
{
    if (a == b)
        return true;
    const QString ca = QFileInfo(a).canonicalFilePath();
    if (!ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath())
        return true;
    struct stat sa {};
    struct stat sb {};
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0
           && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// A name the record's folder can hold as one file of its own: one level,
// no more bytes than a folder entry takes, and the very bytes it shows
// (a name that was not valid text shows other characters than it has).
bool plainName(const QString& name)
{
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral("..")
        || name.contains(QLatin1Char('/')) || name.contains(QChar(0)))
        return false;
    const QByteArray bytes = QFile::encodeName(name);
    return bytes.size() <= kMaxNameBytes && QFile::decodeName(bytes) == name;
}

void refuseName(const QString& name)
{
    MsgBox(QStringLiteral("'") + name + QStringLiteral("' is not a valid file name."), MsgStyle::Exclamation);
}

bool mayOverwrite(const QString& name)
{
    const QString question
        = name + QStringLiteral(" is already attached to this document. Do you want to overwrite existing attachment?");
    return MsgBox(question, MsgStyle::YesNoCancel + MsgStyle::Question + MsgStyle::DefaultButton2) == MsgAnswer::Yes;
}

} // namespace

AttachmentsCtl::AttachmentsCtl(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ACtl"));
    lv = new QTreeWidget(this);
    lv->setObjectName(QStringLiteral("lv"));
    lv->setAccessibleName(QStringLiteral("Attachments"));
    lv->setRootIsDecorated(false);
    lv->setSelectionMode(QAbstractItemView::SingleSelection);
    lv->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Type"),
                         QStringLiteral("Modified")});
    lv->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    lv->header()->setSectionsClickable(true);
    lv->header()->setStretchLastSection(false);
    cmdSaveAs = makeButton(this, "cmdSaveAs", QStringLiteral("Save As..."),
                           QStringLiteral("Save selected attachment to disk"));
    cmdView = makeButton(this, "cmdView", QStringLiteral("View"), QStringLiteral("View selected attachment"));
    cmdRemove = makeButton(this, "cmdRemove", QStringLiteral("Remove"),
                           QStringLiteral("Permanently delete selected attachment"));
    cmdAttach = makeButton(this, "cmdAttach", QStringLiteral("Attach"), QStringLiteral("Attach a file"));

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdSaveAs, cmdView, cmdRemove, cmdAttach})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* box = new QHBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(lv, 1);
    box->addSpacing(24);
    box->addLayout(buttons);
    setTabOrder(lv, cmdSaveAs);
    setTabOrder(cmdSaveAs, cmdView);
    setTabOrder(cmdView, cmdRemove);
    setTabOrder(cmdRemove, cmdAttach);

    connect(cmdAttach, &QPushButton::clicked, this, [this] { cmdAttach_Click(); });
    connect(cmdSaveAs, &QPushButton::clicked, this, [this] { cmdSaveAs_Click(); });
    connect(cmdView, &QPushButton::clicked, this, [this] { cmdView_Click(); });
    connect(cmdRemove, &QPushButton::clicked, this, [this] { cmdRemove_Click(); });
    connect(lv, &QTreeWidget::itemSelectionChanged, this, [this] { SetUI(); });
    connect(lv, &QTreeWidget::itemDoubleClicked, this, [this] { cmdView_Click(); });
    connect(lv, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) { itemRenamed(item, column); });
    connect(lv->header(), &QHeaderView::sectionClicked, this, [this](int column) { SysUI().LVSort(lv, column); });
    lv->installEventFilter(this);
    lv->viewport()->installEventFilter(this);
    SetUI();
}

void AttachmentsCtl::SetEditEnabled(bool enabled)
{
    m_enabled = enabled;
    SetUI();
}

void AttachmentsCtl::SetUI()
{
    const bool selected = SysUI().LvIsItemSelected(lv);
    cmdAttach->setEnabled(m_enabled);
    cmdRemove->setEnabled(m_enabled && selected);
    lv->setEditTriggers(m_enabled ? QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked
                                  : QAbstractItemView::NoEditTriggers);
    QPalette palette = lv->palette();
    palette.setColor(QPalette::Base, m_enabled ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xFF, 0xFF, 0xC0));
    lv->setPalette(palette);
    cmdSaveAs->setEnabled(selected);
    cmdView->setEnabled(selected);
}

bool AttachmentsCtl::Init(const QString& Folder)
{
    m_folder = Folder;
    LoadLV();
    SetUI();
    return true;
}

bool AttachmentsCtl::CheckCreateDir()
{
    // The attachments folder of the database holds one folder per record;
    // each is as open to the database's other users as the one it is in.
    const QString parent = QFileInfo(m_folder).path();
    if (!Sys().DirExists(parent) && Sys().CreateDir(parent))
        (void)shareAccessOf(parent, QFileInfo(parent).path());
    if (Sys().DirExists(m_folder))
        return true;
    if (!Sys().CreateDir(m_folder))
        return false;
    (void)shareAccessOf(m_folder, parent);
    return true;
}

void AttachmentsCtl::LoadLV()
{
    m_loading = true;
    if (!m_folder.isEmpty() && Sys().DirExists(m_folder)) {
        const QString before = SysUI().LvGetSelectedItemKey(lv);
        SysUI().LvGetFileList(lv, m_folder);
        // Names differing only in letter case are two files here: each row
        // shows its name as stored, and the selection finds it exactly.
        for (int i = 0; i < lv->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = lv->topLevelItem(i);
            item->setFlags(item->flags() | Qt::ItemIsEditable);
            item->setText(0, clsSystemUI::lvItemKey(item));
        }
        SysUI().LvSelectFirstItem(lv);
        SysUI().LvSelectItem(lv, before);
        SysUI().LvSelectItem(lv, m_lastAttached);
    } else {
        lv->clear();
    }
    m_loading = false;
    sizeColumns();
    SetUI();
}

bool AttachmentsCtl::AttachmentExists(const QString& FileName) const
{
    return Sys().DirExists(m_folder) && Sys().FileExists(Sys().MakePath(m_folder, FileName));
}

QString AttachmentsCtl::selectedName() const
{
    QTreeWidgetItem* item = nullptr;
    if (!SysUI().LvGetSelectedItem(lv, item))
        return QString();
    const QString key = clsSystemUI::lvItemKey(item);
    return key.isEmpty() ? item->text(0) : key;
}

void AttachmentsCtl::cmdAttach_Click()
{
    if (!m_enabled || m_folder.isEmpty())
        return;
    QString chosen;
    if (!Sys().GetFilenameOpen(chosen, kAllFiles, QStringLiteral("Open file to attach")))
        return;
    const QString name = Sys().FileNameOnly(chosen);
    if (!plainName(name)) {
        refuseName(name);
        return;
    }
    const bool exists = AttachmentExists(name);
    if (exists) {
        // Attaching the attachment itself would copy it onto itself.
        if (sameFile(chosen, Sys().MakePath(m_folder, name))) {
            MsgBox(QStringLiteral("Source and Destination files are identical!"), MsgStyle::Critical);
            return;
        }
        if (!mayOverwrite(name))
            return;
    }
    if (!CheckCreateDir()) {
        MsgBox(QStringLiteral("Unable to create directory: ") + m_folder, MsgStyle::Critical);
        return;
    }
    auto copy = [&](bool replace) {
        WaitCursor busy;
        const clsSystem::FolderCopy done = Sys().copyIntoFolder(chosen, m_folder, name, replace);
        return done;
    };
    // The folder may hold the name although no file of it was found: a
    // link, a folder, a name its file system takes for this one, or a file
    // another user attached meanwhile. It is replaced only after the
    // question.
    if (copy(exists) == clsSystem::FolderCopy::NameTaken && mayOverwrite(name))
        (void)copy(true);
    m_lastAttached = name;
    LoadLV();
}

void AttachmentsCtl::cmdSaveAs_Click()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    const QString source = Sys().MakePath(m_folder, name);
    QString chosen = QStringLiteral("Copy of ") + name;
    if (!Sys().GetFilenameSaveAs(chosen, kAllFiles, QStringLiteral("Save Attachment As...")))
        return;
    if (sameFile(chosen, source)) {
        MsgBox(QStringLiteral("Source and Destination files are identical!"), MsgStyle::Critical);
        return;
    }
    WaitCursor busy;
    const bool copied = Sys().FileCopyFn(source, chosen);
    busy.done();
    if (copied)
        MsgBox(chosen + QStringLiteral(" has been saved!"), MsgStyle::Information);
}

void AttachmentsCtl::cmdView_Click()
{
    const QString name = selectedName();
    if (!name.isEmpty())
        Sys().LaunchFile(Sys().MakePath(m_folder, name), name);
}

void AttachmentsCtl::cmdRemove_Click()
{
    const QString name = selectedName();
    if (!m_enabled || name.isEmpty())
        return;
    const QString question
        = QStringLiteral("Are you sure you want to PERMANENTLY DELETE this attachment: '") + name + QStringLiteral("' ?");
    if (MsgBox(question, MsgStyle::YesNoCancel + MsgStyle::Question + MsgStyle::DefaultButton2) != MsgAnswer::Yes)
        return;
    WaitCursor busy;
    const bool deleted = Sys().DeleteFile(Sys().MakePath(m_folder, name), false);
    busy.done();
    if (!deleted) {
        MsgBox(QStringLiteral("Unable to delete '") + name + QStringLiteral("'!"), MsgStyle::Exclamation);
        return;
    }
    LoadLV();
}

bool AttachmentsCtl::RenameSelected(const QString& newName)
{
    const QString oldName = selectedName();
    if (!m_enabled || oldName.isEmpty())
        return false;
    // The new name stays a file of this record's folder.
    if (!plainName(newName)) {
        refuseName(newName);
        return false;
    }
    const QString newPath = Sys().MakePath(m_folder, newName);
    const QString question = QStringLiteral("Are you sure you want to rename '") + oldName + QStringLiteral("' to '")
                             + newName + QStringLiteral("' ?");
    if (MsgBox(question, MsgStyle::YesNoCancel + MsgStyle::Question + MsgStyle::DefaultButton2) != MsgAnswer::Yes)
        return false;
    return Sys().FileRename(Sys().MakePath(m_folder, oldName), newPath);
}

void AttachmentsCtl::itemRenamed(QTreeWidgetItem* item, int column)
{
    if (m_loading || column != 0)
        return;
    const QString stored = clsSystemUI::lvItemKey(item);
    const QString typed = item->text(0);
    if (typed == stored)
        return;
    const bool renamed = RenameSelected(typed);
    m_loading = true;
    if (renamed) {
        // The row now names the renamed file.
        clsSystemUI::lvSetItemKey(item, typed);
    } else {
        item->setText(0, stored);
    }
    m_loading = false;
    SetUI();
}

bool AttachmentsCtl::eventFilter(QObject* watched, QEvent* event)
{
    // The columns share the list's width whenever its inner area takes a
    // new size: the list's own resize comes before its inner area is laid
    // out (and a list on a hidden tab gets its size only when shown).
    if (watched == lv->viewport() && event->type() == QEvent::Resize)
        sizeColumns();
    if (watched == lv && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // The Enter that ends a rename reaches the list from its editor: it
        // must not open the file as well.
        const QWidget* focus = lv->focusWidget();
        const bool fromEditor = focus && focus != lv;
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !fromEditor) {
            cmdView_Click();
            SetUI();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void AttachmentsCtl::sizeColumns()
{
    const int width = lv->viewport()->width();
    const double shares[] = {0.30, 0.15, 0.30, 0.25};
    for (int c = 0; c < 4; ++c)
        lv->setColumnWidth(c, Sys().NotBelowZeroInt(int(shares[c] * width) - (c == 3 ? 7 : 0)));
}

