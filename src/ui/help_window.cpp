#include "ui/help_window.h"

#include <algorithm>

#include <QFont>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const QSize PreferredSize(760, 600);
// Room for the title bar and borders that the window manager adds around the window.
constexpr int FrameAllowance = 40;

}  // namespace

// The pages live in a static library: their resource must be registered by name, from outside
// any namespace.
static void RegisterHelpPages() { Q_INIT_RESOURCE(help); }

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    RegisterHelpPages();
    setObjectName("HelpWindow");
    setWindowTitle("Pomoc - Kombinator");
    resize(PreferredSize);

    auto* buttons = new QHBoxLayout;
    auto addButton = [&](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    back_ = addButton("HelpBack", "Wstecz");
    forward_ = addButton("HelpForward", "Dalej");
    QPushButton* contents = addButton("HelpContents", "Spis treści");
    QPushButton* index = addButton("HelpIndex", "Indeks");
    buttons->addStretch();

    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpBrowser");
    browser_->setOpenExternalLinks(false);
    browser_->setSearchPaths({":/help"});
    QFont reading = browser_->font();  // the window's 8-point font is small for reading pages
    reading.setPointSize(10);
    browser_->setFont(reading);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);

    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    connect(contents, &QPushButton::clicked, this, [this] { browser_->setSource(ContentsPage()); });
    connect(index, &QPushButton::clicked, this, [this] { browser_->setSource(IndexPage()); });

    browser_->setSource(ContentsPage());
}

QUrl HelpWindow::ContentsPage() { return QUrl("qrc:/help/index.html"); }

QUrl HelpWindow::IndexPage() { return QUrl("qrc:/help/indeks.html"); }

void HelpWindow::ShowContents() {
    browser_->setSource(ContentsPage());
    Present();
}

void HelpWindow::ShowIndex() {
    browser_->setSource(IndexPage());
    Present();
}

void HelpWindow::Present() {
    if (!isVisible()) {
        // Whole on the screen of the main window, frame included, even on a small screen.
        const QWidget* owner = parentWidget() ? parentWidget()->window() : this;
        if (QScreen* screen = owner->screen()) {
            const QRect free = screen->availableGeometry().adjusted(0, 0, 0, -FrameAllowance);
            resize(std::min(PreferredSize.width(), free.width()), std::min(PreferredSize.height(), free.height()));
            move(free.center() - rect().center());
        }
    }
    show();
    raise();
    activateWindow();
}
