#include "board/Disposizione.h"

#include <cmath>

namespace obx {

bool Disposizione::Carica()
{
    Registro r;
    if (!LeggeAnagrafe(r)) {
        Svuota();
        return false;
    }
    Imposta(std::move(r.posti));
    return true;
}

void Disposizione::Imposta(std::vector<Posto> posti)
{
    if (posti.empty()) posti.resize(1);
    m_letti = posti;
    m_posti = std::move(posti);
    if (m_pannello == Pannello::Console) {
        // A label number the panel cannot show, or one an earlier seat
        // already holds, places nobody: the seat is unplaced, and it is
        // saved so, as the editor shows it.
        for (int i = 1; i <= Ultimo(); ++i)
            if (!EtichettaConsole(i)) m_posti[size_t(i)].iPulsanteAN = 0;
    }
    Ricostruisce();
}

void Disposizione::Ricostruisce()
{
    m_etichetta.assign(m_posti.size(), 0);
    m_posto.fill(0);
    for (int i = 1; i <= Ultimo(); ++i) {
        const Posto& p = m_posti[size_t(i)];
        if (!PostoInPannello(p, i)) continue;
        m_etichetta[size_t(i)] = p.iPulsanteAN;
        m_posto[size_t(p.iPulsanteAN)] = i;
    }
}

bool Disposizione::EtichettaConsole(int i) const
{
    if (!Valido(i)) return false;
    const int k = m_posti[size_t(i)].iPulsanteAN;
    if (k < 1 || k > kEtichette) return false;
    for (int j = 1; j < i; ++j)
        if (m_posti[size_t(j)].iPulsanteAN == k) return false;
    return true;
}

bool Disposizione::PostoInPannello(const Posto& p, int i) const
{
    if (!EtichettaConsole(i)) return false;
    if (m_pannello == Pannello::Console) return true;
    return p.nTopTvAN > 0 || p.nSinTvAN > 0;
}

int Disposizione::PostoDellEtichetta(int k) const { return k >= 1 && k <= kEtichette ? m_posto[size_t(k)] : 0; }

int Disposizione::EtichettaDel(int i) const { return Valido(i) ? m_etichetta[size_t(i)] : 0; }

std::vector<int> Disposizione::Liberi() const
{
    std::vector<int> v;
    for (int i = 1; i <= Ultimo(); ++i)
        if (m_etichetta[size_t(i)] == 0) v.push_back(i);
    return v;
}

double Disposizione::Left(int i) const
{
    if (!Valido(i)) return 0;
    const Posto& p = m_posti[size_t(i)];
    return m_pannello == Pannello::Console ? p.nLeftAN : p.nSinTvAN;
}

double Disposizione::Top(int i) const
{
    if (!Valido(i)) return 0;
    const Posto& p = m_posti[size_t(i)];
    return m_pannello == Pannello::Console ? p.nTopAN : p.nTopTvAN;
}

double Disposizione::Allinea(double v, int passo)
{
    if (passo <= 0) return v;
    return std::floor(v / passo) * passo;
}

bool Disposizione::Posiziona(int i, double& left, double& top, int passo)
{
    if (EtichettaDel(i) == 0) return false;
    left = Allinea(left, passo);
    top = Allinea(top, passo);
    Posto& p = m_posti[size_t(i)];
    if (m_pannello == Pannello::Console) {
        p.nLeftAN = float(left);
        p.nTopAN = float(top);
        left = p.nLeftAN;
        top = p.nTopAN;
        return true;
    }
    p.nSinTvAN = float(left);
    p.nTopTvAN = float(top);
    left = p.nSinTvAN;
    top = p.nTopTvAN;
    if (p.nTopTvAN > 0 || p.nSinTvAN > 0) return true;
    // Where the board shows nothing the editor shows nothing either.
    m_posto[size_t(m_etichetta[size_t(i)])] = 0;
    m_etichetta[size_t(i)] = 0;
    return false;
}

bool Disposizione::Rimuove(int i)
{
    const int k = EtichettaDel(i);
    if (k == 0) return false;
    Posto& p = m_posti[size_t(i)];
    if (m_pannello == Pannello::Console) {
        p.iPulsanteAN = 0;
    } else {
        p.nTopTvAN = 0;
        p.nSinTvAN = 0;
    }
    m_etichetta[size_t(i)] = 0;
    m_posto[size_t(k)] = 0;
    return true;
}

int Disposizione::Assegna(int i)
{
    if (!Valido(i) || EtichettaDel(i) != 0) return 0;
    int k = 0;
    if (m_pannello == Pannello::Console) {
        for (int n = 1; n <= kEtichette && k == 0; ++n)
            if (m_posto[size_t(n)] == 0) k = n;
        if (k == 0) return 0;
        m_posti[size_t(i)].iPulsanteAN = k;
    } else {
        if (!EtichettaConsole(i)) return 0;
        k = m_posti[size_t(i)].iPulsanteAN;
        if (m_posto[size_t(k)] != 0) return 0;
    }
    m_etichetta[size_t(i)] = k;
    m_posto[size_t(k)] = i;
    return k;
}

void Disposizione::Azzera()
{
    for (int i = 1; i <= Ultimo(); ++i) {
        Posto& p = m_posti[size_t(i)];
        if (m_pannello == Pannello::Console) {
            p.iPulsanteAN = 0;
            p.nTopAN = 0;
            p.nLeftAN = 0;
        } else {
            p.nTopTvAN = 0;
            p.nSinTvAN = 0;
        }
    }
    m_etichetta.assign(m_posti.size(), 0);
    m_posto.fill(0);
}

bool Disposizione::CampiUguali(const Posto& a, const Posto& b) const
{
    if (m_pannello == Pannello::Console)
        return a.iPulsanteAN == b.iPulsanteAN && a.nTopAN == b.nTopAN && a.nLeftAN == b.nLeftAN;
    return a.nTopTvAN == b.nTopTvAN && a.nSinTvAN == b.nSinTvAN;
}

std::vector<int> Disposizione::Modificati() const
{
    std::vector<int> v;
    for (int i = 1; i <= Ultimo(); ++i)
        if (!CampiUguali(m_posti[size_t(i)], m_letti[size_t(i)])) v.push_back(i);
    return v;
}

bool Disposizione::Salva()
{
    std::vector<const Posto*> da;
    for (int i : Modificati()) da.push_back(&m_posti[size_t(i)]);
    const auto campi = m_pannello == Pannello::Console ? CampiDisposizione::Console : CampiDisposizione::Tabellone;
    if (!ScriveDisposizione(da, campi)) return false;
    m_letti = m_posti;
    return true;
}

}  // namespace obx
