#include "client/dialogs/about_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "client/dialogs/localized_caption.h"
#include "common/version.h"

namespace tarvel {

namespace {

constexpr std::int32_t kTextProductName = 1;
constexpr std::int32_t kTextOk = 47;
constexpr std::int32_t kTextCaption = 68;
constexpr std::int32_t kTextVersion = 69;
constexpr int kIconSize = 48;

}  // namespace

AboutBox::AboutBox(const Localizer& localizer, QWidget* parent) : QDialog(parent) {
    const QString productName = LocalizedCaption(localizer, kTextProductName);
    setWindowTitle(LocalizedCaption(localizer, kTextCaption));

    auto* icon = new QLabel(this);
    icon->setObjectName("ProgramIcon");
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(kIconSize, kIconSize));
    icon->setAccessibleName(productName);
    auto* product = new QLabel(productName, this);
    product->setObjectName("ProductName");
    const std::string_view number = ProgramVersion();
    auto* version = new QLabel(LocalizedCaption(localizer, kTextVersion) + QLatin1Char(' ') +
                                   QString::fromUtf8(number.data(), static_cast<qsizetype>(number.size())),
                               this);
    version->setObjectName("Version");
    auto* ok = new QPushButton(LocalizedCaption(localizer, kTextOk), this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &AboutBox::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(version);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(texts);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

}  // namespace tarvel
