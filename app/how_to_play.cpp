#include "app/how_to_play.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const QString DIALOG_NAME = QStringLiteral("HowToPlay");
constexpr QSize DIALOG_SIZE{560, 520};  // well inside a 1024 x 768 screen

QDialog* make_rules_dialog(QWidget& window)
{
    auto* dialog = new QDialog(&window);
    dialog->setObjectName(DIALOG_NAME);
    dialog->setWindowTitle(QCoreApplication::translate("TForm1", "How to play"));
    auto* rules = new QTextBrowser(dialog);
    rules->setMarkdown(QString::fromUtf8(HOW_TO_PLAY_RULES));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(rules);
    layout->addWidget(buttons);
    dialog->resize(DIALOG_SIZE);
    return dialog;
}

}  // namespace

void show_how_to_play(QWidget& window)
{
    QDialog* dialog = window.findChild<QDialog*>(DIALOG_NAME);
    if (!dialog) dialog = make_rules_dialog(window);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
