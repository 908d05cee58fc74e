#include "hostlib/translation.h"

#include <QCoreApplication>
#include <QVariant>
#include <QWidget>

void Trad(QWidget* form) {
    if (form == nullptr) {
        return;
    }
    const QByteArray context = form->metaObject()->className();
    const auto translate = [&context](const QString& text) {
        return QCoreApplication::translate(context.constData(), text.toUtf8().constData());
    };
    for (QObject* object : form->findChildren<QObject*>()) {
        const QVariant caption = object->property("Caption");
        if (caption.typeId() == QMetaType::QString && !caption.toString().isEmpty()) {
            object->setProperty("Caption", translate(caption.toString()));
        }
    }
    if (!form->windowTitle().isEmpty()) {
        form->setWindowTitle(translate(form->windowTitle()));
    }
}
