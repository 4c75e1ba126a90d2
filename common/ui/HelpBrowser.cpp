#include "common/ui/HelpBrowser.h"

#include "common/HelpViewer.h"
#include "common/Product.h"
#include "common/clsSystem.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QPointer<HelpBrowser>& instance()
{
    static QPointer<HelpBrowser> viewer;
    return viewer;
}

QPushButton* addButton(QHBoxLayout* row, const QString& text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

// Where a topic is: the page and anchor the contents link it to; the
// contents themselves for topic 0 or a topic they do not list.
QUrl topicAddress(const QString& helpFile, long topic)
{
    const QUrl contents = QUrl::fromLocalFile(helpFile);
    QFile file(helpFile);
    if (topic <= 0 || !file.open(QIODevice::ReadOnly))
        return contents;
    static const QRegularExpression link(QStringLiteral(R"re(href\s*=\s*"([^"#]*)#(\d+)")re"));
    const QString text = QString::fromUtf8(file.readAll());
    for (const QRegularExpressionMatch& m : link.globalMatch(text)) {
        if (m.captured(2) != QString::number(topic))
            continue;
        QUrl address = m.captured(1).isEmpty() ? contents : contents.resolved(QUrl(m.captured(1)));
        address.setFragment(m.captured(2));
        return address;
    }
    return contents;
}

QString pageOf(const QUrl& address) { return address.adjusted(QUrl::RemoveFragment).toLocalFile(); }

// A plain widget is told to assistive tools as a filler; the viewer is a
// window of its own.
QAccessibleInterface* windowFace(const QString& className, QObject* object)
{
    Q_UNUSED(className);
    if (auto* viewer = dynamic_cast<HelpBrowser*>(object))
        return new QAccessibleWidget(viewer, QAccessible::Window);
    return nullptr;
}

} // namespace

HelpBrowser::HelpBrowser(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    static const bool faceInstalled = [] {
        QAccessible::installFactory(windowFace);
        return true;
    }();
    Q_UNUSED(faceInstalled);
    setObjectName(QStringLiteral("HelpBrowser"));
    setWindowTitle(Product::name() + QStringLiteral(" Help"));
    auto* buttons = new QHBoxLayout;
    cmdContents = addButton(buttons, QStringLiteral("&Contents"), "cmdContents", this);
    cmdBack = addButton(buttons, QStringLiteral("&Back"), "cmdBack", this);
    cmdForward = addButton(buttons, QStringLiteral("&Forward"), "cmdForward", this);
    buttons->addStretch();
    cmdClose = addButton(buttons, QStringLiteral("Close"), "cmdClose", this);
    txtPage = new QTextBrowser(this);
    txtPage->setObjectName(QStringLiteral("txtPage"));
    txtPage->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(txtPage, 1);
    setTabOrder(cmdContents, cmdBack);
    setTabOrder(cmdBack, cmdForward);
    setTabOrder(cmdForward, cmdClose);
    setTabOrder(cmdClose, txtPage);

    cmdBack->setEnabled(false);
    cmdForward->setEnabled(false);
    connect(txtPage, &QTextBrowser::backwardAvailable, cmdBack, &QWidget::setEnabled);
    connect(txtPage, &QTextBrowser::forwardAvailable, cmdForward, &QWidget::setEnabled);
    connect(cmdBack, &QPushButton::clicked, txtPage, &QTextBrowser::backward);
    connect(cmdForward, &QPushButton::clicked, txtPage, &QTextBrowser::forward);
    connect(cmdContents, &QPushButton::clicked, this, [] { Sys().ShowHelpContents(); });
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(txtPage, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = txtPage->documentTitle();
        setWindowTitle(title.isEmpty() ? Product::name() + QStringLiteral(" Help") : title);
        txtPage->setAccessibleName(windowTitle());
    });
    txtPage->setAccessibleName(windowTitle());
    resize(760, 560);
}

bool HelpBrowser::showTopic(const QString& helpFile, long topic, QString& missingPage)
{
    const QUrl address = topicAddress(helpFile, topic);
    const QString page = pageOf(address);
    if (!QFileInfo(page).isFile()) {
        missingPage = page;
        return false;
    }
    txtPage->setSource(address);
    bringUp();
    return true;
}

QUrl HelpBrowser::address() const { return txtPage->source(); }

void HelpBrowser::bringUp()
{
    // Opened from a modal dialog, the viewer must be modal too, or the dialog
    // would keep it from taking any input.
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted = modal && modal != this ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != wanted) {
        hide();
        setWindowModality(wanted);
    }
    showNormal();
    raise();
    activateWindow();
}

void HelpBrowser::install()
{
    HelpViewer::set([](const QString& helpFile, long topic, QString& missingPage) {
        if (!instance())
            instance() = new HelpBrowser;
        return instance()->showTopic(helpFile, topic, missingPage);
    });
}

void HelpBrowser::uninstall()
{
    HelpViewer::set({});
    delete instance().data();
}

HelpBrowser* HelpBrowser::current() { return instance(); }
