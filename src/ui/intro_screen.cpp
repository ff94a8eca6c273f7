#include "ui/intro_screen.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>

#include "ui/artwork.h"

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QColor& color, int pixelSize,
                  const QRect& geometry, Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setAlignment(align);
    label->setGeometry(geometry);
    return label;
}

// Shape1: a filled ellipse.
class EllipseShape : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(192, 192, 192), 2));
        p.setBrush(QColor(0, 96, 32));
        p.drawEllipse(QRectF(rect()).adjusted(1, 1, -1, -1));
        p.setPen(QColor(255, 255, 0));
        QFont font = p.font();
        font.setPixelSize(13);
        font.setBold(true);
        p.setFont(font);
        p.drawText(rect(), Qt::AlignCenter, "1   0   2");
    }
};

// The sample result lines of the ticker: fictional clubs, the scores in one column.
const char* const TickerClubs[8][3] = {
    {"Orzeł", "Sokół", "1 - 1"},  {"Iskra", "Huragan", "2 - 0"}, {"Start", "Grom", "0 - 3"},
    {"Warta", "Błękitni", "2 - 2"}, {"Polonia", "Kolejarz", "3 - 1"}, {"Zryw", "Victoria", "0 - 0"},
    {"Piast", "Unia", "1 - 2"},    {"Stal", "Lechia", "3 - 0"},
};

QString TickerLine(int k) {
    const QString clubs = QString::fromUtf8(TickerClubs[k][0]) + " - " + QString::fromUtf8(TickerClubs[k][1]);
    return clubs.leftJustified(22) + "  " + QString::fromUtf8(TickerClubs[k][2]) + "  ";
}

}  // namespace

IntroScreen::IntroScreen(QWidget* parent) : QFrame(parent) {
    setObjectName("Panel1");
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    // The ticker lies under the picture and the bottom strip; only the band between them shows it.
    panel3_ = new QWidget(this);
    panel3_->setObjectName("Panel3");
    panel3_->setAutoFillBackground(true);
    panel3_->setPalette(black);
    panel3_->setGeometry(288, 56, 281, 377);
    QFont mono("Liberation Mono");
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPixelSize(13);
    for (int k = 0; k < 8; ++k) {
        QLabel* line = MakeLabel(panel3_, qPrintable(QString("Label%1").arg(7 + k)), TickerLine(k),
                                 QColor(192, 192, 192), 13, QRect(12, 9 + 48 * k, 265, 16));
        line->setFont(mono);
    }

    auto* credit = MakeLabel(this, "StaticText1", "Wydanie autorskie", QColor(192, 192, 192), 13, QRect(8, 8, 160, 16));
    credit->setWordWrap(false);

    auto* panel2 = new QFrame(this);
    panel2->setObjectName("Panel2");
    panel2->setGeometry(176, 8, 489, 393);
    image1_ = new QLabel(panel2);
    image1_->setObjectName("Image1");
    image1_->setPixmap(QPixmap::fromImage(DrawIntroPicture()));
    image1_->setGeometry(0, -6, 512, 380);

    auto* strip = new QWidget(this);
    strip->setObjectName("Panel4");
    strip->setAutoFillBackground(true);
    strip->setPalette(black);
    strip->setGeometry(1, 456, 671, 25);

    // The product name over the night sky of the picture, with a dark shadow under it.
    auto* bevel1 = new QFrame(this);
    bevel1->setObjectName("Bevel1");
    bevel1->setFrameStyle(QFrame::Box | QFrame::Raised);
    bevel1->setLineWidth(1);
    bevel1->setMidLineWidth(1);
    bevel1->setGeometry(8, 32, 424, 112);
    QFont title("Liberation Serif");
    title.setStyleHint(QFont::Serif);
    title.setItalic(true);
    title.setBold(true);
    title.setPixelSize(76);
    auto* shadow = MakeLabel(this, "StaticText2", "Kombinator", QColor(60, 40, 0), 76, QRect(19, 43, 408, 96),
                             Qt::AlignCenter);
    shadow->setFont(title);
    auto* name = MakeLabel(this, "Label1", "Kombinator", QColor(255, 255, 0), 76, QRect(16, 40, 408, 96),
                           Qt::AlignCenter);
    name->setFont(title);
    name->setAttribute(Qt::WA_TranslucentBackground);

    auto* tagline = MakeLabel(this, "Label3", "Narzędzie systemowe do zakładów piłkarskich",
                              QColor(192, 192, 192), 13, QRect(8, 160, 160, 36), Qt::AlignHCenter | Qt::AlignTop);
    tagline->setWordWrap(true);
    MakeLabel(this, "Label6", "Dolnik, Nowak 89'   2 - 1", QColor(192, 192, 192), 13, QRect(8, 214, 160, 16),
              Qt::AlignHCenter | Qt::AlignTop);

    auto* image2 = new QLabel(this);
    image2->setObjectName("Image2");
    image2->setPixmap(QPixmap::fromImage(DrawBallPicture(128, 86)));
    image2->setGeometry(24, 240, 128, 86);

    auto* shape1 = new EllipseShape(this);
    shape1->setObjectName("Shape1");
    shape1->setGeometry(8, 400, 161, 49);

    MakeLabel(this, "Label4", "Latest News", Qt::white, 13, QRect(224, 400, 76, 16));
    label5_ = MakeLabel(this, "Label5", "89", QColor(255, 0, 255), 13, QRect(576, 400, 16, 16));
    MakeLabel(this, "Label2", "min", Qt::white, 13, QRect(592, 400, 24, 16));

    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(10);
    timer1_->setTimerType(Qt::PreciseTimer);
    connect(timer1_, &QTimer::timeout, this, &IntroScreen::Timer1Timer);
}

void IntroScreen::StartTicker() {
    tickerTop_ = 40;
    timer1_->start();
}

void IntroScreen::Timer1Timer() {
    if (tickerTop_ > 448) {
        panel3_->move(panel3_->x(), 40);
        tickerTop_ = 40;
        return;
    }
    ++tickerTop_;
    panel3_->move(panel3_->x(), tickerTop_);
    if (tickerTop_ % 10 == 0) label5_->setVisible(label5_->isHidden());
}

bool IntroScreen::Showing() const { return !image1_->isHidden(); }

void IntroScreen::HidePicture() { image1_->hide(); }
