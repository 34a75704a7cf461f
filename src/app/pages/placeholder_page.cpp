#include "app/pages/placeholder_page.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tessel {

TPlaceholderPage::TPlaceholderPage(const QString& name, const QString& title, QWidget* parent)
    : QWidget(parent) {
    setObjectName(name);
    if (title.isEmpty()) return;
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(title);
    QFont font = caption->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    font.setBold(true);
    caption->setFont(font);
    caption->setEnabled(false);
    layout->addWidget(caption, 0, Qt::AlignCenter);
}

}  // namespace tessel
