#include "framework/pexform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace {

QPointer<QWidget> &hauptfenster()
{
    static QPointer<QWidget> fenster;
    return fenster;
}

QList<const QMetaObject *> &enterKlassen()
{
    static QList<const QMetaObject *> klassen { &QPushButton::staticMetaObject };
    return klassen;
}

// Posts the OnAfterCreate notification in two steps: the first, delivered after the creating
// code has finished, posts the second behind every event pending by then (layout, paint and
// whatever the creator posted), so those run first without a nested event loop.
template <class Form> void nachErstellungMelden(Form *form)
{
    QMetaObject::invokeMethod(
        form,
        [form] {
            QMetaObject::invokeMethod(
                form, [form] { emit form->OnAfterCreate(); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

enum class Enter { Normal, Tab, Druecken };

// What Enter does for the window: Tab when it moves the focus on, Druecken when a focused
// push button keeps it (outside dialogs Qt's buttons ignore Enter), else its normal meaning.
template <class Form> Enter enterBehandlung(Form *form, QKeyEvent *e, bool activReturn)
{
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
        return Enter::Normal;
    if ((e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return Enter::Normal;
    QWidget *fokus = QApplication::focusWidget();
    if (fokus && fokus->window() != form)
        fokus = nullptr;
    if (fokus && EnterBehalten(fokus))
        return qobject_cast<QAbstractButton *>(fokus) ? Enter::Druecken : Enter::Normal;
    if (!activReturn)
        return Enter::Normal;
    bool erlauben = true;
    if (fokus)
        emit form->OnTestReturn(fokus, erlauben);
    return erlauben ? Enter::Tab : Enter::Normal;
}

void wieHauptfenster(QWidget *form)
{
    QWidget *haupt = Hauptfenster();
    if (!haupt || haupt == form)
        return;
    QScreen *schirm = haupt->screen() ? haupt->screen() : QGuiApplication::primaryScreen();
    if (schirm && schirm->geometry().width() > 800) {
        form->move(haupt->pos());
        form->resize(haupt->size());
    } else {
        form->setWindowState(form->windowState() | Qt::WindowMaximized);
    }
}

} // namespace

QWidget *Hauptfenster()
{
    return hauptfenster();
}

void HauptfensterSetzen(QWidget *fenster)
{
    hauptfenster() = fenster;
}

void EnterKlasseRegistrieren(const QMetaObject *klasse)
{
    if (klasse && !enterKlassen().contains(klasse))
        enterKlassen().append(klasse);
}

bool EnterBehalten(const QWidget *control)
{
    if (!control)
        return false;
    for (const QMetaObject *klasse : std::as_const(enterKlassen())) {
        if (control->metaObject()->inherits(klasse))
            return true;
    }
    return false;
}

namespace {

// Shared by both window bases: the first activation fires once.
template <typename Melden> void ersteAktivierung(QEvent *e, bool &erstAktiviert, Melden melden)
{
    if (e->type() == QEvent::WindowActivate && !erstAktiviert) {
        erstAktiviert = true;
        melden();
    }
}

// Enter as Tab, or pressing the focused button; true when the key was used up.
template <class Form, typename Weiter>
bool enterTasteBehandeln(Form *fenster, QKeyEvent *e, bool activReturn, Weiter weiter)
{
    switch (enterBehandlung(fenster, e, activReturn)) {
    case Enter::Tab:
        weiter();
        e->accept();
        return true;
    case Enter::Druecken:
        static_cast<QAbstractButton *>(QApplication::focusWidget())->click();
        e->accept();
        return true;
    case Enter::Normal:
        break;
    }
    return false;
}

} // namespace

// ---- TPexForm ---------------------------------------------------------------------------

TPexForm::TPexForm(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    nachErstellungMelden(this);
}

void TPexForm::setMainFormSize(bool an)
{
    m_mainFormSize = an;
    if (an)
        wieHauptfenster(this);
}

bool TPexForm::event(QEvent *e)
{
    ersteAktivierung(e, m_erstAktiviert, [this] { emit OnFirstActivate(); });
    return QDialog::event(e);
}

void TPexForm::keyPressEvent(QKeyEvent *e)
{
    if (enterTasteBehandeln(this, e, m_activReturn, [this] { focusNextPrevChild(true); }))
        return;
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        QWidget::keyPressEvent(e);
        return;
    }
    QDialog::keyPressEvent(e);
}

// ---- TPexMainForm -----------------------------------------------------------------------

TPexMainForm::TPexMainForm(QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
{
    nachErstellungMelden(this);
}

void TPexMainForm::setMainFormSize(bool an)
{
    m_mainFormSize = an;
    if (an)
        wieHauptfenster(this);
}

bool TPexMainForm::event(QEvent *e)
{
    ersteAktivierung(e, m_erstAktiviert, [this] { emit OnFirstActivate(); });
    return QMainWindow::event(e);
}

void TPexMainForm::keyPressEvent(QKeyEvent *e)
{
    if (enterTasteBehandeln(this, e, m_activReturn, [this] { focusNextPrevChild(true); }))
        return;
    QMainWindow::keyPressEvent(e);
}
