#include "companion/shell/lesson_list_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "companion/engine/companion_model.h"
#include "companion/shell/window_layers.h"
#include "ui_support/twips.h"

namespace lorvane::companion {

namespace {

constexpr int kStripHeight = 495;  // twips
// Long paths scroll sideways over at least this width, so they can be read.
constexpr int kHorizontalExtent = 500;  // pixels

}  // namespace

LessonListWindow::LessonListWindow(CompanionModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), model_(model) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("课文列表"));

    Picture1_ = new QWidget(this);
    Picture1_->setObjectName(QStringLiteral("Picture1"));
    Picture1_->setAutoFillBackground(true);
    QPalette strip = Picture1_->palette();
    strip.setColor(QPalette::Window, QColor(0xdc, 0xe6, 0xe6));
    Picture1_->setPalette(strip);

    struct Button {
        int index;
        QImage picture;
        QString tip;
        std::function<void()> LessonListWindow::*action;
    };
    const Button buttons[] = {
        {0, addLessonPicture(), QStringLiteral("将课文加入列表"), &LessonListWindow::onAddLesson},
        {1, deleteLessonPicture(), QStringLiteral("删除选择的课文"),
         &LessonListWindow::onDeleteLesson},
        {3, studyLessonPicture(), QStringLiteral("播放选择的课文"),
         &LessonListWindow::onStudyLesson},
        {4, closeListPicture(), QStringLiteral("关闭"), nullptr},
    };
    int left = 0;
    for (const Button& b : buttons) {
        auto* button = new PictureButton(b.picture, b.tip, Picture1_);
        button->setObjectName(QStringLiteral("Image1_%1").arg(b.index));
        button->move(ui::pixels(left), 0);
        left += 480;
        const auto action = b.action;
        connect(button, &PictureButton::clicked, this, [this, action] {
            if (!action) {
                hide();
            } else if (this->*action) {
                (this->*action)();
            }
        });
    }

    List1_ = new QListWidget(this);
    List1_->setObjectName(QStringLiteral("List1"));
    List1_->move(0, ui::pixels(480));
    List1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(List1_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int row = List1_->row(item);
        const bool ticked = item->checkState() == Qt::Checked;
        model_.form4.setTicked(row, ticked);
        if (row >= 0 && row < static_cast<int>(shown_.size())) {
            shown_[static_cast<std::size_t>(row)].ticked = ticked;
        }
    });
    connect(List1_, &QListWidget::currentRowChanged, this,
            [this](int row) { model_.form4.highlight(row); });

    resize(ui::pixels(4605), ui::pixels(3255));
    layoutControls();
    refresh();
}

void LessonListWindow::refresh() {
    const LessonList& lessons = model_.form4;
    const QSignalBlocker blocker(List1_);
    if (shown_ != lessons.entries()) {
        List1_->clear();
        const QFontMetrics metrics = List1_->fontMetrics();
        for (const LessonListEntry& entry : lessons.entries()) {
            auto* item = new QListWidgetItem(QString::fromStdString(entry.path), List1_);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(entry.ticked ? Qt::Checked : Qt::Unchecked);
            // Room for the check box and the whole path.
            const int width = metrics.horizontalAdvance(item->text()) + 32;
            item->setSizeHint(QSize(std::max(kHorizontalExtent, width), metrics.height() + 4));
        }
        shown_ = lessons.entries();
    }
    if (List1_->currentRow() != lessons.highlighted()) {
        List1_->setCurrentRow(lessons.highlighted());
    }
}

void LessonListWindow::showWindow() {
    refresh();
    showRaised(this, placed_);
}

void LessonListWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

// Each step stands alone; a step with no room (a negative height in a very
// small window) is left out and the next one runs.
void LessonListWindow::layoutControls() {
    List1_->resize(width(), List1_->height());
    const int listHeight = ui::twips(height()) - kStripHeight - 10;
    if (listHeight >= 0) {
        List1_->resize(List1_->width(), ui::pixels(listHeight));
    }
    Picture1_->setGeometry(0, 0, width(), ui::pixels(kStripHeight));
}

void LessonListWindow::closeEvent(QCloseEvent* event) {
    if (model_.form1.tag == kExitMarker) {
        event->accept();
        return;
    }
    // The list lives until the exit: a close before it only hides.
    event->ignore();
    hide();
}

}  // namespace lorvane::companion
