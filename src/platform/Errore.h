// A failure of a platform stand-in (database engine, tree view): a number
// and a description, as the message boxes show them ("Errore " & number).
#pragma once

#include <QString>
#include <exception>
#include <string>

namespace obx {

class Errore : public std::exception {
public:
    Errore(int numero, QString descrizione)
        : m_numero(numero), m_descrizione(std::move(descrizione)), m_what(m_descrizione.toStdString())
    {}
    int Numero() const { return m_numero; }
    const QString& Descrizione() const { return m_descrizione; }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    int m_numero;
    QString m_descrizione;
    std::string m_what;
};

}  // namespace obx
