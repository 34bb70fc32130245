#include "framework/d_formf2.h"

#include "framework/ke7_parameter.h"

#include <QAction>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *knopf(QWidget *eltern, QAction *aktion, int links, const char *name)
{
    auto *b = new QPushButton(aktion->text(), eltern);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(links, 4, 75, 25);
    QObject::connect(b, &QPushButton::clicked, aktion, &QAction::trigger);
    QObject::connect(aktion, &QAction::changed, b, [b, aktion] {
        b->setText(aktion->text());
        b->setEnabled(aktion->isEnabled());
    });
    return b;
}

QAction *aktion(QWidget *dialog, const QString &text, const QKeySequence &taste, const char *name)
{
    auto *a = new QAction(text, dialog);
    a->setObjectName(QString::fromLatin1(name));
    a->setShortcut(taste);
    dialog->addAction(a);
    return a;
}

} // namespace

TFormF2Basis::TFormF2Basis(QWidget *parent)
    : TPexForm(parent)
    , pa_Client(new QWidget(this))
    , pa_button(new QWidget(this))
    , pa_ButtonRight(new QWidget(pa_button))
    , ax_OK(aktion(this, QStringLiteral("Speichern"), QKeySequence(Qt::Key_F2), "ax_OK"))
    , ax_Cancel(aktion(this, QStringLiteral("Abbruch"), QKeySequence(Qt::Key_Escape), "ax_Cancel"))
    , bb_OK(knopf(pa_ButtonRight, ax_OK, 4, "bb_OK"))
    , bb_Cancel(knopf(pa_ButtonRight, ax_Cancel, 88, "bb_Cancel"))
    , PAR(new TkelParameter(this))
{
    pa_Client->setObjectName(QStringLiteral("pa_Client"));
    pa_button->setObjectName(QStringLiteral("pa_button"));
    pa_ButtonRight->setObjectName(QStringLiteral("pa_ButtonRight"));
    PAR->setObjectName(QStringLiteral("PAR"));

    auto *senkrecht = new QVBoxLayout(this);
    senkrecht->setContentsMargins(0, 0, 0, 0);
    senkrecht->setSpacing(0);
    senkrecht->addWidget(pa_Client, 1);
    senkrecht->addWidget(pa_button);
    pa_button->setFixedHeight(30);
    auto *waagrecht = new QHBoxLayout(pa_button);
    waagrecht->setContentsMargins(0, 0, 0, 0);
    waagrecht->addStretch(1);
    waagrecht->addWidget(pa_ButtonRight);
    pa_ButtonRight->setFixedWidth(168);

    resize(304, 202);
    PAR->setFormPosSizeSave(true);
    connect(ax_OK, &QAction::triggered, this, &QDialog::accept);
    connect(ax_Cancel, &QAction::triggered, this, &QDialog::reject);
    connect(this, &TPexForm::OnAfterCreate, this, &TFormF2Basis::EinstellungenLaden);
}

void TFormF2Basis::EinstellungenLaden()
{
    if (m_geladen)
        return;
    m_geladen = true;
    PAR->Laden();
}

void TFormF2Basis::setVisible(bool sichtbar)
{
    // Loaded before the dialog is placed, so a stored position wins over centring it on the
    // main window (Qt itself centres a dialog only on its parent).
    if (sichtbar) {
        EinstellungenLaden();
        QWidget *haupt = Hauptfenster();
        if (!testAttribute(Qt::WA_Moved) && !parentWidget() && haupt && haupt != this) {
            const QRect mitte = haupt->frameGeometry();
            move(mitte.center() - QPoint(width() / 2, height() / 2));
        }
    }
    TPexForm::setVisible(sichtbar);
}

void TFormF2Basis::done(int ergebnis)
{
    TPexForm::done(ergebnis);
    if (m_geladen)
        PAR->Speichern();
}

Td_FormF2::Td_FormF2(QWidget *parent)
    : TFormF2Basis(parent)
{ }
