// A fixture archive: a new archive file made with the program's own schema
// in a temporary folder, opened in dbArchivio, with the paths of Globali.h
// pointing at it and the vocabularies of the chosen assembly kind.  Rows
// are added with the helpers below; the standard content gives a small
// council to sit with.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

namespace obx::test {

struct PersonaProva {
    int codice = 0;            // bCodiceAN
    QString nome;              // cNomeAN
    QString breve;             // cNomeBreveAN
    QString ruolo;             // cTipoAN
    QString partito;           // cPartitoAN
    int votatore = 0;          // iVotatoreAN
    int etichetta = 0;         // iPulsanteAN
    int led = 0;               // iPannelloAN
    double top = 0, left = 0;  // nTopAN, nLeftAN
};

struct ArgomentoProva {
    int codice = 0;              // iDeliberaDE
    QVariant posizione;          // iPosOdGDE (invalid = Null)
    QString tipo;                // cTipoArgDE
    QString titolo;              // cTitoloDE
    QString titolino;            // cTitolinoDE
    QVariant gruppo;             // cGruppoDE
    QVariant numeroRegolamento;  // iNumOdGRegolamDE
    QVariant articolo;           // cArticoloDE
};

struct AttoProva {
    int codice = 0;         // iCodLeggeLG
    QString parametri;      // cParametriLG
    QString chiave;         // cTreeKeyLG (padded to 66 by the fixture)
    QString numero;         // cNumeroAttoLG
    QString id1, id2, id3;  // cIDLeggeLG, cIDArticoloLG, cIDEmendaLG
    int radice = 0;         // iRadiceLeggeLG
};

class ArchivioProva {
public:
    // Creates and opens the archive for the assembly kind (1, 2 or 4).
    explicit ArchivioProva(int tipoAssemblea = 1);
    ~ArchivioProva();
    ArchivioProva(const ArchivioProva&) = delete;
    ArchivioProva& operator=(const ArchivioProva&) = delete;

    bool Valido() const { return m_valido; }
    QString Cartella() const { return m_dir.path() + u'/'; }

    void AggiungePersona(const PersonaProva& p);
    void AggiungeArgomento(const ArgomentoProva& a);
    void AggiungeAtto(const AttoProva& a);

    // Eight seats (chair "P", mayor "S", six councillors "C" of two parties,
    // labels 1..8, LED positions 1..8, units 1..8) and, outside the laws
    // mode, a secretary "G" and a vice-secretary "V" without a seat.
    void Consiglieri();
    // Agenda items: position 1 a deliberation, position 2 of group "b",
    // an item without position, and an item of the rules at position 7
    // with neither number nor article.
    void Argomenti();
    // Acts tree: a law B 1 numbered "12/2026", its article J 3 and the
    // article's amendment E 2 (codes 1, 2, 3; each carries the law's number).
    void Atti();

    // Rows of a table now.
    static int Righe(const QString& tabella);

private:
    QTemporaryDir m_dir;
    bool m_valido = false;
};

// A digest of a file's bytes (empty when it cannot be read), to tell
// that a file was left exactly as it was.
QByteArray Impronta(const QString& percorso);

// Tree key of the segments given (type letter + identifier each).
QString ChiaveAlbero(const QStringList& segmenti);

}  // namespace obx::test
