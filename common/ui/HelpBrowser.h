#pragma once

#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

// The help viewer: one window, reused, that shows the help pages (HTML in
// the program folder). The help file is the contents page; it links every
// topic as "page#number", so a topic opens on its page at its anchor.
class HelpBrowser final : public QWidget {
public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    // Shows `topic` (0: the contents) and brings the window up; false, with
    // the page that could not be read in `missingPage`, when the help file or
    // the topic's page is missing.
    bool showTopic(const QString& helpFile, long topic, QString& missingPage);

    // The page shown, with the topic's anchor as its fragment.
    QUrl address() const;

    // Puts the one viewer behind clsSystem's help members; uninstall closes
    // it and takes it away. current() is the viewer once a topic was shown.
    static void install();
    static void uninstall();
    static HelpBrowser* current();

    QPushButton* cmdContents = nullptr;
    QPushButton* cmdBack = nullptr;
    QPushButton* cmdForward = nullptr;
    QPushButton* cmdClose = nullptr;
    QTextBrowser* txtPage = nullptr;

private:
    void bringUp();
};
