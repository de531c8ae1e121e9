// The console with the agenda of a sitting: the console fixture, a few more
// agenda rows or acts for the cases of the agenda, and readers of what the
// console wrote.
#pragma once

#include <QString>
#include <QVariant>
#include <vector>

#include "platform/Servizi.h"
#include "support/BancoConsole.h"

namespace obx::test {

// One agenda row with every field the console reads.
struct Voce {
    int codice = 0;
    QVariant posizione;
    QString tipo;
    QString titolo, titolino;
    QVariant gruppo;
    QString tab1, tab2, tab3;
    QVariant numeroRegolamento, articolo;
    int quorum = 0;
};
void AggiungeVoce(const Voce& v);

// Sets a field of the LEGGI row of an act.
void ImpostaAtto(int codice, const char* campo, const QVariant& valore);
QString ParametriAtto(int codice);

// Index of the first entry of the combo that starts with (or, for the acts,
// ends with) the text; -1 when none.
int Voce0(frmCons* f, const QString& inizio);
int VoceAtto(frmCons* f, int codice);
// Index of the type letter among the entries of the type combo.
int VoceTipo(const QString& lettera);

// The letters of the events written so far, in order.
QString Lettere();

}  // namespace obx::test
