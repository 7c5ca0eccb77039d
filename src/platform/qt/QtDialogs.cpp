#include "platform/qt/QtDialogs.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "platform/DialogTexts.h"

namespace kelvarn {

Answer QtDialogs::messageBox(const std::string& text, const std::string& title, Buttons buttons) {
    QWidget* owner = parent ? parent() : nullptr;
    QMessageBox box(owner);
    box.setWindowTitle(QString::fromStdString(title));
    // Texts carry CR LF line breaks; the box wants plain LF.
    box.setText(QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(QMessageBox::NoIcon);
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.button(QMessageBox::Yes)->setText(QString::fromUtf8(dialog_texts::Yes));
        box.button(QMessageBox::No)->setText(QString::fromUtf8(dialog_texts::No));
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.button(QMessageBox::Ok)->setText(QString::fromUtf8(dialog_texts::Ok));
    }
    const int result = box.exec();
    if (onClosed) {
        onClosed();
    }
    if (buttons == Buttons::Ok) {
        return Answer::Ok;
    }
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

std::string QtDialogs::inputBox(const std::string& prompt, const std::string& title,
                                const std::string& text) {
    QWidget* owner = parent ? parent() : nullptr;
    QInputDialog box(owner);
    box.setWindowTitle(QString::fromStdString(title));
    box.setLabelText(QString::fromStdString(prompt));
    box.setInputMode(QInputDialog::TextInput);
    box.setTextValue(QString::fromStdString(text));
    box.setOkButtonText(QString::fromUtf8(dialog_texts::Ok));
    box.setCancelButtonText(QString::fromUtf8(dialog_texts::Cancel));
    const bool accepted = box.exec() == QDialog::Accepted;
    if (onClosed) {
        onClosed();
    }
    return accepted ? box.textValue().toStdString() : std::string();
}

} // namespace kelvarn
