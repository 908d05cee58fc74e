#include "collaborators/hostlib/translation.h"

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
    // Read before the captions change: a form's own Caption may be its window title.
    const QString title = form->windowTitle();

    QList<QObject*> objects = form->findChildren<QObject*>();
    objects.prepend(form);
    for (QObject* object : objects) {
        const QVariant caption = object->property("Caption");
        if (caption.typeId() == QMetaType::QString && !caption.toString().isEmpty()) {
            object->setProperty("Caption", translate(caption.toString()));
        }
    }
    if (!title.isEmpty()) {
        form->setWindowTitle(translate(title));
    }
}
