#pragma once

#include <QWidget>

namespace tessel {

// A page of the stack without content of its own: the empty panels, and the
// pages whose content is added with their own module, which show their title.
class TPlaceholderPage : public QWidget {
    Q_OBJECT
public:
    TPlaceholderPage(const QString& name, const QString& title, QWidget* parent = nullptr);
};

}  // namespace tessel
