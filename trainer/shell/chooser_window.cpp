#include "trainer/shell/chooser_window.h"

#include <QCloseEvent>

#include "trainer/shell/list_sync.h"
#include "ui_support/twips.h"

namespace lorvane::trainer {

ChooserWindow::ChooserWindow(Form1& model, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowTitleHint), model_(model) {
    setObjectName(QStringLiteral("Form1"));
    setFixedSize(ui::pixels(2430), ui::pixels(5700));
    List1_ = new QListWidget(this);
    List1_->setObjectName(QStringLiteral("List1"));
    List1_->setGeometry(ui::twipsRect(0, 0, 2415, 5100));
    const QRect places[] = {ui::twipsRect(0, 5280, 855, 375), ui::twipsRect(840, 5280, 855, 375),
                            ui::twipsRect(1680, 5280, 735, 375)};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(
            QString::fromStdString(model_.Command1[static_cast<std::size_t>(i)].caption), this);
        b->setObjectName(QStringLiteral("Command1_%1").arg(i));
        b->setGeometry(places[i]);
        Command1_[static_cast<std::size_t>(i)] = b;
        connect(b, &QPushButton::clicked, this, [this, i] {
            handle([this, i] {
                model_.List1.selected = List1_->currentRow();
                model_.command1Click(i);
            });
        });
    }
    connect(List1_, &QListWidget::itemDoubleClicked, this, [this] {
        handle([this] {
            model_.List1.selected = List1_->currentRow();
            model_.openEntry();
        });
    });
    connect(List1_, &QListWidget::currentRowChanged, this,
            [this](int row) { model_.List1.selected = row; });
    refresh();
}

void ChooserWindow::handle(const std::function<void()>& action) {
    action();
    refresh();
}

void ChooserWindow::refresh() {
    setWindowTitle(QString::fromStdString(model_.caption));
    syncListItems(*List1_, shown_, model_.List1.items());
    syncListSelection(*List1_, model_.List1.selected);
    for (std::size_t i = 0; i < Command1_.size(); ++i) {
        Command1_[i]->setEnabled(model_.Command1[i].enabled);
    }
    if (!model_.visible && isVisible()) {
        hide();
    }
}

void ChooserWindow::closeEvent(QCloseEvent* event) {
    // The chooser lives for the whole run; closing it hides it.
    event->ignore();
    model_.visible = false;
    hide();
}

void ChooserWindow::hideEvent(QHideEvent* event) {
    model_.visible = false;
    QWidget::hideEvent(event);
}

}  // namespace lorvane::trainer
