#include "client/app/announcement_area.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHBoxLayout>
#include <QtGlobal>

namespace tarvel {
namespace {

// The table's name already carries its summary: the description, the same text, would
// have the screen reader say it twice on focus.
class TableInterface final : public QAccessibleWidget {
  public:
    explicit TableInterface(QWidget* table) : QAccessibleWidget(table) {}

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Description) return QAccessibleWidget::text(kind);
        const QString description = QAccessibleWidget::text(QAccessible::Description);
        return QAccessibleWidget::text(QAccessible::Name).contains(description) ? QString() : description;
    }
};

QAccessibleInterface* MakeInterface(const QString& className, QObject* object) {
    if (!object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("tarvel::AnnouncementArea")) {
        return new QAccessibleWidget(widget, QAccessible::Notification);
    }
    if (className == QLatin1String("tarvel::TableView")) return new TableInterface(widget);
    return nullptr;
}

}  // namespace

AnnouncementArea::AnnouncementArea(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("announcementarea"));
    line_ = new QLabel(this);
    line_->setObjectName(QStringLiteral("announcementline"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(line_);
}

void AnnouncementArea::Announce(const QString& text) {
    if (text.isEmpty()) return;
    line_->setText(text);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent announcement(this, text);
    QAccessible::updateAccessibility(&announcement);
#else
    // Orca 43 speaks a notification of the status bar when it is shown, the label's
    // text without the word "notification", and shows that text in braille.
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#endif
}

void InstallScreenReaderInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(MakeInterface);
        return true;
    }();
    (void)installed;
}

}  // namespace tarvel
