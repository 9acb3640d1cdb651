#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "trainer/engine/form1.h"

namespace lorvane::trainer {

// The lesson chooser: shows the Form1 model and forwards clicks to it.
// Closing it only hides it.
class ChooserWindow : public QWidget {
    Q_OBJECT

public:
    ChooserWindow(Form1& model, QWidget* owner);

    void refresh();
    Form1& model() { return model_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void handle(const std::function<void()>& action);

    Form1& model_;
    QListWidget* List1_ = nullptr;
    std::vector<std::string> shown_;
    std::array<QPushButton*, 3> Command1_{};
};

}  // namespace lorvane::trainer
