#include "gui/app/about_box.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include "core/version.h"
#include "gui/app/link_label.h"

namespace varmelo::gui {

namespace {

constexpr int kWidth = 472, kHeight = 184;
constexpr int kCreditsLeft = 322, kCreditsTop = 8, kCreditsWidth = 142, kCreditsHeight = 132;

// A stack of three archive discs: the program's picture.
QPixmap picture() {
    QPixmap pm(88, 88);
    pm.fill(Qt::black);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colours[] = {QColor(0x1C, 0x5B, 0xBF), QColor(0x1C, 0x8B, 0xDF), QColor(0x1C, 0xBB, 0xFF)};
    for (int i = 0; i < 3; ++i) {
        const QRectF r(10, 52 - i * 20, 68, 26);
        QPainterPath side;
        side.addRect(r.left(), r.center().y(), r.width(), 10);
        p.fillPath(side, colours[i].darker(160));
        p.setPen(Qt::NoPen);
        p.setBrush(colours[i].darker(160));
        p.drawEllipse(r.translated(0, 10));
        p.setBrush(colours[i]);
        p.setPen(QPen(Qt::white, 1));
        p.drawEllipse(r);
    }
    return pm;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QRect where) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(where);
    return l;
}

}  // namespace

AboutBox::AboutBox(std::function<QString()> credits, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), creditsText_(std::move(credits)) {
    setObjectName(QStringLiteral("frm5"));
    setWindowTitle(QStringLiteral("О программе"));
    setModal(true);
    setFixedSize(kWidth, kHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    auto* image = label(this, "Image1", QString(), QRect(8, 8, 88, 88));
    image->setPixmap(picture());

    QLabel* name = label(this, "ProgramName1", QStringLiteral("Varmelo"), QRect(104, 4, 214, 44));
    QFont big = name->font();
    big.setPointSize(24);
    big.setBold(true);
    name->setFont(big);
    QLabel* title = label(this, "Title1", QString::fromLatin1(kProgramTitle), QRect(104, 50, 214, 16));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    label(this, "Version1", QString::fromLatin1(kProgramVersion), QRect(104, 68, 214, 16));
    label(this, "Author1", kProgramAuthor, QRect(104, 86, 214, 16));

    label(this, "EMailCaption1", QStringLiteral("E-mail:"), QRect(104, 110, 110, 16));
    auto* mail = new LinkLabel(QStringLiteral("—"), QUrl(), this);
    mail->setObjectName(QStringLiteral("EMail1"));
    mail->setGeometry(222, 110, 96, 16);
    label(this, "HomePageCaption1", QStringLiteral("Домашняя страница:"), QRect(104, 128, 110, 16));
    auto* home = new LinkLabel(QStringLiteral("—"), QUrl(), this);
    home->setObjectName(QStringLiteral("HomePage1"));
    home->setGeometry(222, 128, 96, 16);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton1"));
    ok->setGeometry(kWidth - 83, kHeight - 33, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    creditsBox_ = new QWidget(this);
    creditsBox_->setObjectName(QStringLiteral("CreditsBox1"));
    creditsBox_->setGeometry(kCreditsLeft, kCreditsTop, kCreditsWidth, kCreditsHeight);
    credits_ = new QLabel(creditsBox_);
    credits_->setObjectName(QStringLiteral("Credits1"));
    credits_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    credits_->setWordWrap(true);

    timer_ = new QTimer(this);
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, &AboutBox::scrollStep);
}

void AboutBox::rebuildCredits() {
    QString text = creditsText_ ? creditsText_() : QString();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    credits_->setText(text);
    credits_->setFixedWidth(kCreditsWidth);
    credits_->setFixedHeight(credits_->heightForWidth(kCreditsWidth));
    credits_->move(0, 0);
    offset_ = 0;
    creditsBox_->setVisible(!text.isEmpty());
}

void AboutBox::scrollStep() {
    if (offset_ < credits_->height()) {
        credits_->move(credits_->x(), credits_->y() - 2);
        offset_ += 2;
    } else {
        credits_->move(credits_->x(), credits_->y() + offset_);
        offset_ = 0;
    }
}

void AboutBox::showEvent(QShowEvent* event) {
    rebuildCredits();
    if (QWidget* owner = parentWidget()) {
        const QRect area = owner->window()->frameGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
    timer_->start();
}

void AboutBox::hideEvent(QHideEvent* event) {
    timer_->stop();
    QDialog::hideEvent(event);
}

}  // namespace varmelo::gui
