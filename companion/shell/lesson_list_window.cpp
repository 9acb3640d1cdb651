#include "companion/shell/lesson_list_window.h"

#include <QCloseEvent>
#include <algorithm>

#include "companion/engine/companion_engine.h"
#include "ui_support/twips.h"
#include "ui_support/window_placement.h"

namespace lorvane::companion {

namespace {

constexpr int kStripHeight = 495;  // twips
// Long paths scroll sideways over at least this width, so they can be read.
constexpr int kHorizontalExtent = 500;  // pixels

}  // namespace

LessonListWindow::LessonListWindow(const CompanionEngine& engine, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), engine_(engine) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("课文列表"));

    strip_ = new QWidget(this);
    strip_->setObjectName(QStringLiteral("Picture1"));
    strip_->setAutoFillBackground(true);
    QPalette strip = strip_->palette();
    strip.setColor(QPalette::Window, QColor(0xdc, 0xe6, 0xe6));
    strip_->setPalette(strip);

    struct Button {
        int index;
        QImage picture;
        QString tip;
        void (LessonListWindow::*clicked)();
    };
    const Button buttons[] = {
        {0, addLessonPicture(), QStringLiteral("将课文加入列表"), &LessonListWindow::addClicked},
        {1, deleteLessonPicture(), QStringLiteral("删除选择的课文"),
         &LessonListWindow::deleteClicked},
        {3, studyLessonPicture(), QStringLiteral("播放选择的课文"),
         &LessonListWindow::studyClicked},
        {4, closeListPicture(), QStringLiteral("关闭"), &LessonListWindow::hide},
    };
    int left = 0;
    for (const Button& b : buttons) {
        auto* button = new PictureButton(b.picture, b.tip, strip_);
        button->setObjectName(QStringLiteral("Image1_%1").arg(b.index));
        button->move(ui::pixels(left), 0);
        left += 480;
        connect(button, &PictureButton::clicked, this, b.clicked);
    }

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List1"));
    list_->move(0, ui::pixels(480));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(list_, &QListWidget::itemChanged, this, &LessonListWindow::itemChanged);
    connect(list_, &QListWidget::currentRowChanged, this, &LessonListWindow::highlightChanged);

    resize(ui::pixels(4605), ui::pixels(3255));
    layoutControls();
    refresh();
}

void LessonListWindow::itemChanged(QListWidgetItem* item) {
    const int row = list_->row(item);
    const bool ticked = item->checkState() == Qt::Checked;
    if (row >= 0 && row < static_cast<int>(shown_.size())) {
        shown_[static_cast<std::size_t>(row)].ticked = ticked;
    }
    emit tickChanged(row, ticked);
}

void LessonListWindow::refresh() {
    const LessonList& lessons = engine_.lessons();
    const QSignalBlocker blocker(list_);
    if (shown_ != lessons.entries()) {
        list_->clear();
        const QFontMetrics metrics = list_->fontMetrics();
        for (const LessonListEntry& entry : lessons.entries()) {
            auto* item = new QListWidgetItem(QString::fromStdString(entry.path), list_);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(entry.ticked ? Qt::Checked : Qt::Unchecked);
            // Room for the check box and the whole path.
            const int width = metrics.horizontalAdvance(item->text()) + 32;
            item->setSizeHint(QSize(std::max(kHorizontalExtent, width), metrics.height() + 4));
        }
        shown_ = lessons.entries();
    }
    if (list_->currentRow() != lessons.highlighted()) {
        list_->setCurrentRow(lessons.highlighted());
    }
}

void LessonListWindow::showWindow() {
    refresh();
    ui::showRaised(this, placed_);
}

void LessonListWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

// Each step stands alone; a step with no room (a negative height in a very
// small window) is left out and the next one runs.
void LessonListWindow::layoutControls() {
    list_->resize(width(), list_->height());
    const int listHeight = ui::twips(height()) - kStripHeight - 10;
    if (listHeight >= 0) {
        list_->resize(list_->width(), ui::pixels(listHeight));
    }
    strip_->setGeometry(0, 0, width(), ui::pixels(kStripHeight));
}

void LessonListWindow::closeEvent(QCloseEvent* event) {
    if (engine_.exiting()) {
        event->accept();
        return;
    }
    // The list lives until the exit: a close before it only hides.
    event->ignore();
    hide();
}

}  // namespace lorvane::companion
