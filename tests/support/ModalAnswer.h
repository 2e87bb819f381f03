// Answers a modal dialog from a test: once a dialog of type Dialog is the active modal widget,
// calls answer with it (which should accept or reject it).
#pragma once

#include <functional>

#include <QApplication>
#include <QTimer>

namespace testsupport {

template <typename Dialog>
void answerModal(const std::function<void(Dialog&)>& answer)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(*dialog);
        }
    });
    timer->start(10);
}

}  // namespace testsupport
