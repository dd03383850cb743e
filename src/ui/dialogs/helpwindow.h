#pragma once

#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace kosmolux {

// A window of its own that shows the HTML user guide: the pages follow their
// links, and Back, Forward and Contents move through them.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // indexPage: the full path of the guide's first page.
    explicit HelpWindow(const QString& indexPage, QWidget* parent = nullptr);

    // Goes back to the first page.
    void ShowContents();

private slots:
    void ShowPageTitle();

private:
    QString indexPage_;
    QPushButton* butBack;
    QPushButton* butForward;
    QPushButton* butContents;
    QTextBrowser* txtGuide;
};

}  // namespace kosmolux
