#include "cli/relatorio.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "catalogue/propriedades.h"
#include "catalogue/texto.h"
#include "catalogue/valor_decimal.h"
#include "cli/achados.h"
#include "cli/opcoes.h"
#include "generator/arquivo_carga.h"
#include "generator/ler_registro.h"
#include "generator/modelos.h"
#include "generator/tipo_achado.h"

namespace quelb::cli {

namespace {

using namespace carga;

// Characters of a record per row of the page.
constexpr size_t ColunasPorLinha = 50;
// Lines longer than this are shown around the marked field only.
constexpr size_t LinhaMaisLonga = 1000, JanelaDaLinha = 500;

std::string Numero(uint64_t AValor) { return std::to_string(AValor); }

// ---- Escaping ----

void Escapar(std::string_view ATexto, std::string& ADestino) {
    for (const char c : ATexto) {
        switch (c) {
            case '&': ADestino += "&amp;"; break;
            case '<': ADestino += "&lt;"; break;
            case '>': ADestino += "&gt;"; break;
            case '"': ADestino += "&quot;"; break;
            case '\'': ADestino += "&#39;"; break;
            default: ADestino += c; break;
        }
    }
}
std::string Escapado(std::string_view ATexto) {
    std::string r;
    Escapar(ATexto, r);
    return r;
}

// ---- The findings of a load ----

// A file of the load as the reader decoded it, split in lines.
struct TArquivoDecodificado {
    Texto Conteudo;
    std::vector<TLinha> Linhas;
    const TArquivoModelo* Modelo = nullptr;  // its place in the model
};

// The field of the line that starts at AColuna, by the first of the file's
// layouts that the line starts like (one that reads the whole line first).
void MarcarCampo(const TArquivoModelo& AArquivo, std::u16string_view ALinha, size_t AColuna, TAchadoRelatorio& r) {
    std::vector<TCampoLido> lidos;
    bool achado = false;
    for (const TLayoutRegistro& l : AArquivo.Registros) {
        const TCampo& primeiro = l.Campos.front();
        if (primeiro.Tipo == TTipoCampo::Fixo && !ALinha.starts_with(primeiro.Fixo)) continue;
        const bool inteira = DividirRegistro(l.Campos, ALinha, lidos);
        for (const TCampoLido& c : lidos) {
            if (c.Coluna != AColuna || c.Texto.empty()) continue;
            const TCampo& f = *c.Campo;
            r.Largura = f.Variavel() ? c.Texto.size() : static_cast<size_t>(f.Largura);
            // Named as the messages name it: by the vendor's legend, else
            // by the layout's name where it holds a property.
            r.Campo = !f.Legenda.empty() ? std::string(f.Legenda) : f.Propriedade != nullptr ? std::string(f.Nome) : "";
            r.Propriedade = f.Propriedade != nullptr ? std::string(f.Propriedade->Nome) : "";
            achado = true;
            break;
        }
        if (achado && inteira) return;
    }
}

// A finding with its message and kind.
TAchadoRelatorio NovoAchado(TGravidade AGravidade, std::string ALugar, std::u16string_view ADescricao) {
    TAchadoRelatorio r;
    r.Gravidade = AGravidade;
    r.Lugar = std::move(ALugar);
    r.Descricao = ParaUtf8(ADescricao);
    r.Tipo = ParaUtf8(TipoDoAchado(ADescricao));
    return r;
}

TAchadoRelatorio AchadoDaCarga(const TAchadoCarga& a) {
    TAchadoRelatorio r = NovoAchado(a.Gravidade, ParaUtf8(a.Arquivo), a.Descricao);
    if (a.Linha > 0) r.Lugar += ", linha " + Numero(a.Linha);
    if (a.Coluna > 0) r.Lugar += ", coluna " + Numero(a.Coluna);
    r.Linha = a.Linha;
    r.Coluna = a.Coluna;
    return r;
}

// The part of a long line shown: the rows around the marked column.
void Recortar(std::u16string_view ALinha, TAchadoRelatorio& r) {
    r.TamanhoLinha = ALinha.size();
    if (ALinha.size() > LinhaMaisLonga) {
        const size_t centro = r.Coluna > 0 ? r.Coluna - 1 : 0;
        r.Inicio = centro > JanelaDaLinha / 2 ? (centro - JanelaDaLinha / 2) / ColunasPorLinha * ColunasPorLinha : 0;
        r.Inicio = std::min(r.Inicio, ALinha.size() / ColunasPorLinha * ColunasPorLinha);
        ALinha = ALinha.substr(r.Inicio, JanelaDaLinha);
    }
    r.Registro = ALinha;
}

// ---- The findings of a catalogue ----

std::string ValorDaPropriedade(const TPropriedade& p, const TQuelbCargaBalItem& AItem) {
    switch (p.Tipo) {
        case TTipoPropriedade::Texto:
            return "\"" + ParaUtf8(p.Texto(AItem)) + "\"";
        case TTipoPropriedade::Decimal: {
            std::string t = TextoDecimal(p.Numero(AItem));
            std::replace(t.begin(), t.end(), '.', ',');
            return t;
        }
        case TTipoPropriedade::Enumeracao: {
            const int64_t i = p.Numero(AItem);
            return i >= 0 && static_cast<size_t>(i) < p.Nomes.size() ? p.Nomes[static_cast<size_t>(i)] : std::to_string(i);
        }
        case TTipoPropriedade::Booleano:
            return p.Numero(AItem) != 0 ? "sim" : "não";
        default:
            return std::to_string(p.Numero(AItem));
    }
}

bool ValorPadrao(const TPropriedade& p, const TQuelbCargaBalItem& AItem) {
    return p.Tipo == TTipoPropriedade::Texto ? p.Texto(AItem).empty() : p.Numero(AItem) == 0;
}

// Whether the finding AProprietario (the text before the message's first
// ": ") names the property p, or the record that holds it ("Nutricional").
bool Nomeia(std::string_view ANome, const TPropriedade& p) {
    return !ANome.empty() && (p.Nome == ANome || (p.Nome.starts_with(ANome) && p.Nome.size() > ANome.size() &&
                                                  p.Nome[ANome.size()] == '.'));
}

// ---- The page ----

constexpr const char* Estilo = R"(
:root{--erro:#b3261e;--erro-fundo:#fde7e6;--aviso:#8a5a00;--aviso-fundo:#fff4d6;--borda:#d8dbe0;--texto:#1d2430;--suave:#5b6472}
*{box-sizing:border-box}
body{font-family:system-ui,-apple-system,"Segoe UI",Roboto,"Noto Sans",Arial,sans-serif;color:var(--texto);margin:0;background:#f5f6f8;line-height:1.45}
main{max-width:1040px;margin:0 auto;padding:24px}
h1{font-size:1.5rem;margin:0 0 4px}
h2{font-size:1.15rem;margin:28px 0 10px}
.sub{color:var(--suave);margin:0 0 12px;overflow-wrap:anywhere}
.totais{display:flex;gap:10px;flex-wrap:wrap;margin:8px 0}
.total{background:#fff;border:1px solid var(--borda);border-radius:8px;padding:8px 14px}
.total b{font-size:1.2rem}
.g{display:inline-block;font-size:.78rem;font-weight:700;text-transform:uppercase;letter-spacing:.04em;padding:1px 8px;border-radius:999px}
.g.erro{background:var(--erro-fundo);color:var(--erro)}
.g.aviso{background:var(--aviso-fundo);color:var(--aviso)}
table{border-collapse:collapse;background:#fff;border:1px solid var(--borda);width:100%}
th,td{text-align:left;padding:6px 10px;border-bottom:1px solid var(--borda);vertical-align:top}
th{background:#eef0f3;font-weight:600}
td.n{text-align:right;font-variant-numeric:tabular-nums;width:6em}
td.gr{width:6em}
.tipos a{color:inherit}
.achado{background:#fff;border:1px solid var(--borda);border-left:5px solid var(--aviso);border-radius:6px;margin:12px 0;padding:10px 14px}
.achado.erro{border-left-color:var(--erro)}
.cab{display:flex;gap:10px;align-items:center;flex-wrap:wrap}
.lugar{font-family:ui-monospace,"DejaVu Sans Mono",Menlo,Consolas,monospace;font-size:.9rem;color:var(--suave)}
.msg{margin:6px 0;overflow-wrap:anywhere}
.rotulo{font-size:.85rem;color:var(--suave);margin:8px 0 2px}
.rotulo b{color:var(--texto)}
pre{font-family:ui-monospace,"DejaVu Sans Mono",Menlo,Consolas,monospace;font-size:.85rem;background:#f8f9fb;border:1px solid var(--borda);border-radius:4px;padding:6px 8px;margin:0;overflow-x:auto;line-height:1.5}
.col{color:#9aa1ad;user-select:none}
.regua{color:#b5bbc6;user-select:none}
.esp{color:#c3c8d0}
mark{background:#ffd54f;color:#000;border-radius:2px;outline:1px solid #c79a00}
.erro mark{background:#ffb4ab;outline-color:var(--erro)}
mark.ponto{background:none;outline:none;border-left:3px solid var(--erro);margin-left:-1px}
table.item{width:auto;min-width:50%;font-size:.9rem}
table.item th{font-family:ui-monospace,"DejaVu Sans Mono",Menlo,Consolas,monospace;font-weight:400;background:#f8f9fb}
table.item td{font-family:ui-monospace,"DejaVu Sans Mono",Menlo,Consolas,monospace;white-space:pre-wrap;overflow-wrap:anywhere}
table.item tr.marcado th,table.item tr.marcado td{background:#ffd54f}
.erro table.item tr.marcado th,.erro table.item tr.marcado td{background:#ffb4ab}
.seta{font-family:system-ui,sans-serif;font-weight:700;white-space:nowrap}
.vazio{color:var(--suave)}
footer{color:var(--suave);font-size:.8rem;margin-top:32px}
)";

// One character of a record as the page shows it: control characters by
// their visible symbols (one column each, so the columns stay in place).
void Caractere(char16_t c, std::u16string& ADestino) {
    if (c < 0x20) ADestino += static_cast<char16_t>(0x2400 + c);
    else if (c == 0x7F) ADestino += u'\u2421';
    else ADestino += c;
}

// A record in rows of ColunasPorLinha characters, each row led by the
// column of its first character; the columns [AColuna, AColuna + ALargura)
// marked (a point before AColuna when ALargura is 0). Spaces show as dots.
void Registro(const std::u16string& ATexto, size_t AInicio, size_t AColuna, size_t ALargura, std::string& h) {
    h += "<pre>";
    const size_t digitos = Numero(AInicio + ATexto.size()).size();
    h += "<span class=\"regua\">" + std::string(digitos + 1, ' ');
    for (size_t i = 1; i <= ColunasPorLinha; ++i) h += i % 10 == 0 ? '|' : i % 5 == 0 ? '+' : '.';
    h += "</span>\n";
    const size_t marcaInicio = AColuna > 0 ? AColuna - 1 : SIZE_MAX;
    const size_t marcaFim = AColuna > 0 ? marcaInicio + ALargura : SIZE_MAX;
    for (size_t linha = 0; linha < std::max<size_t>(ATexto.size(), 1); linha += ColunasPorLinha) {
        const std::string numero = Numero(AInicio + linha + 1);
        h += "<span class=\"col\">" + std::string(digitos - numero.size(), ' ') + numero + " </span>";
        const size_t fim = std::min(ATexto.size(), linha + ColunasPorLinha);
        // Runs of characters of one kind (marked or not, spaces or not),
        // each in its own tags.
        bool marcado = false, espacos = false;
        std::u16string trecho;
        const auto Fechar = [&] {
            Escapar(ParaUtf8(trecho), h);
            trecho.clear();
            if (espacos) h += "</span>";
            if (marcado) h += "</mark>";
            marcado = espacos = false;
        };
        for (size_t i = linha; i < fim; ++i) {
            const size_t coluna = AInicio + i;
            const bool dentro = ALargura > 0 && coluna >= marcaInicio && coluna < marcaFim;
            const bool espaco = ATexto[i] == u' ';
            const bool ponto = ALargura == 0 && coluna == marcaInicio;
            if (dentro != marcado || espaco != espacos || ponto) {
                Fechar();
                if (ponto) h += "<mark class=\"ponto\"></mark>";
                if (dentro) h += "<mark>";
                if (espaco) h += "<span class=\"esp\">";
                marcado = dentro;
                espacos = espaco;
            }
            Caractere(espaco ? u'\u00B7' : ATexto[i], trecho);
        }
        Fechar();
        // A point after the last character (a line short of its width).
        if (ALargura == 0 && AColuna > 0 && marcaInicio >= AInicio + ATexto.size() && fim == ATexto.size())
            h += "<mark class=\"ponto\"></mark>";
        h += "\n";
    }
    h += "</pre>";
}

void Gravidade(TGravidade AGravidade, std::string& h) {
    h += AGravidade == TGravidade::Erro ? "<span class=\"g erro\">erro</span>" : "<span class=\"g aviso\">aviso</span>";
}

void Achado(const TAchadoRelatorio& a, size_t AIndice, std::string& h) {
    const bool erro = a.Gravidade == TGravidade::Erro;
    h += "<article class=\"achado " + std::string(erro ? "erro" : "aviso") + "\" id=\"a" + Numero(AIndice) + "\">";
    h += "<div class=\"cab\">";
    Gravidade(a.Gravidade, h);
    h += "<span class=\"lugar\">" + Escapado(a.Lugar) + "</span></div>";
    h += "<p class=\"msg\">" + Escapado(a.Descricao) + "</p>";
    if (a.TamanhoLinha > 0) {
        h += "<div class=\"rotulo\">";
        if (a.Coluna > 0 && a.Largura > 0) {
            const std::string colunas =
                a.Largura == 1 ? "coluna " + Numero(a.Coluna)
                               : "colunas " + Numero(a.Coluna) + " a " + Numero(a.Coluna + a.Largura - 1);
            h += "Campo marcado: <b>" + Escapado(a.Campo.empty() ? colunas : a.Campo) + "</b>";
            if (!a.Campo.empty() || !a.Propriedade.empty())
                h += " (" + (a.Campo.empty() ? "" : colunas) + (a.Campo.empty() || a.Propriedade.empty() ? "" : "; ") +
                     (a.Propriedade.empty() ? "" : Escapado(a.Propriedade) + " no catálogo") + ")";
        } else if (a.Coluna > 0) {
            h += "Marcada a posição da coluna <b>" + Numero(a.Coluna) + "</b>";
        } else {
            h += "O registro";
        }
        h += " &middot; linha " + Numero(a.Linha) + ", " + Numero(a.TamanhoLinha) + " caracteres";
        if (a.Registro.size() < a.TamanhoLinha)
            h += "; mostrados os caracteres " + Numero(a.Inicio + 1) + " a " + Numero(a.Inicio + a.Registro.size());
        h += "</div>";
        Registro(a.Registro, a.Inicio, a.Coluna, a.Largura, h);
    }
    if (!a.Item.empty()) {
        h += "<div class=\"rotulo\">O item</div><table class=\"item\">";
        for (const TValorItem& v : a.Item) {
            h += v.Marcado ? "<tr class=\"marcado\">" : "<tr>";
            h += "<th>" + Escapado(v.Nome) + "</th><td>" + Escapado(v.Valor) + "</td><td>" +
                 (v.Marcado ? "<span class=\"seta\">&larr; campo do achado</span>" : "") + "</td></tr>";
        }
        h += "</table>";
    }
    h += "</article>\n";
}

}  // namespace

std::vector<TAchadoRelatorio> AchadosDaCarga(TQuelbCargaBalModelo AModelo, std::span<const TArquivoCarga> AArquivos,
                                             const std::vector<TAchadoCarga>& AAchados) {
    const TDefinicaoModelo* modelo = DefinicaoModelo(AModelo);
    std::map<Texto, TArquivoDecodificado> decodificados;  // by the name in the findings
    const auto Decodificado = [&](const Texto& ANome) -> const TArquivoDecodificado* {
        const auto [d, novo] = decodificados.try_emplace(ANome);
        if (!novo) return &d->second;
        const TArquivoCarga* arquivo = ProcurarArquivo(AArquivos, ANome);
        if (arquivo == nullptr) return &d->second;
        // As the reader does: its encoding, a DOS end-of-file mark left out.
        d->second.Conteudo = Decodificar(arquivo->Bytes, CodificacaoDe(arquivo->Bytes));
        std::u16string_view conteudo = d->second.Conteudo;
        if (conteudo.ends_with(u'\x1A')) conteudo.remove_suffix(1);
        bool semCrLf = false;
        d->second.Linhas = Linhas(conteudo, semCrLf);
        if (modelo != nullptr)
            for (const TArquivoModelo& m : modelo->Arquivos)
                if (Maiusculas(m.Nome) == Maiusculas(ANome)) d->second.Modelo = &m;
        return &d->second;
    };
    std::vector<TAchadoRelatorio> r;
    r.reserve(AAchados.size());
    for (const TAchadoCarga& a : AAchados) {
        TAchadoRelatorio& achado = r.emplace_back(AchadoDaCarga(a));
        const TArquivoDecodificado* arquivo = a.Linha > 0 ? Decodificado(a.Arquivo) : nullptr;
        if (arquivo == nullptr || a.Linha > arquivo->Linhas.size()) continue;
        std::u16string_view linha = arquivo->Linhas[a.Linha - 1].Texto;
        if (a.Coluna > 0 && arquivo->Modelo != nullptr) MarcarCampo(*arquivo->Modelo, linha, a.Coluna, achado);
        Recortar(linha, achado);
    }
    return r;
}

std::vector<TAchadoRelatorio> AchadosDosItens(TQuelbCargaBalModelo AModelo, const TQuelbCargaBalItens& AItens,
                                              const std::vector<TAchado>& AAchados,
                                              const std::vector<uint64_t>& ALinhasCsv) {
    const std::vector<size_t> doModelo = PropriedadesDoModelo(AModelo);
    std::vector<TAchadoRelatorio> r;
    r.reserve(AAchados.size());
    for (const TAchado& a : AAchados) {
        // A finding about the whole catalogue (position -1) shows no item.
        const bool doItem = a.Posicao >= 0 && a.Posicao < AItens.Count();
        const auto posicao = static_cast<size_t>(a.Posicao);
        const uint64_t linha = doItem && posicao < ALinhasCsv.size() ? ALinhasCsv[posicao] : 0;
        TAchadoRelatorio& achado = r.emplace_back(NovoAchado(a.Gravidade, ParaUtf8(LugarDoAchado(a, linha)), a.Descricao));
        if (!doItem) continue;
        const TQuelbCargaBalItem& item = AItens.GetItem(a.Posicao);
        // The property the message starts with.
        const size_t doisPontos = achado.Descricao.find(": ");
        const std::string_view nome =
            doisPontos == std::string::npos ? std::string_view() : std::string_view(achado.Descricao).substr(0, doisPontos);
        // The code, description and price first; then, in the item model's
        // order, the finding's property and what the model carries and the
        // item sets.
        static constexpr std::string_view Principais[] = {"Codigo", "Descricao", "ValorVenda"};
        for (const std::string_view principal : Principais) {
            const TPropriedade& p = *ProcurarPropriedade(principal);
            achado.Item.push_back({std::string(p.Nome), ValorDaPropriedade(p, item), Nomeia(nome, p)});
        }
        for (size_t i = 0; i < std::size(Propriedades); ++i) {
            const TPropriedade& p = Propriedades[i];
            const bool marcado = Nomeia(nome, p);
            const bool levada = std::binary_search(doModelo.begin(), doModelo.end(), i);
            if (std::find(std::begin(Principais), std::end(Principais), p.Nome) == std::end(Principais) &&
                (marcado || (levada && !ValorPadrao(p, item))))
                achado.Item.push_back({std::string(p.Nome), ValorDaPropriedade(p, item), marcado});
        }
    }
    return r;
}

std::string HtmlDoRelatorio(const TRelatorio& ARelatorio) {
    std::vector<TAchadoListado> listados;
    listados.reserve(ARelatorio.Achados.size());
    size_t erros = 0;
    for (const TAchadoRelatorio& a : ARelatorio.Achados) {
        listados.push_back({a.Gravidade, {}, a.Tipo});
        erros += a.Gravidade == TGravidade::Erro;
    }
    const size_t avisos = ARelatorio.Achados.size() - erros;
    // The findings in the order the commands list them: erros, then avisos.
    std::vector<size_t> ordem;
    ordem.reserve(ARelatorio.Achados.size());
    for (const TGravidade g : {TGravidade::Erro, TGravidade::Aviso})
        for (size_t i = 0; i < ARelatorio.Achados.size(); ++i)
            if (ARelatorio.Achados[i].Gravidade == g) ordem.push_back(i);
    // The first finding of each kind, for the links of the counts.
    std::map<std::pair<TGravidade, std::string>, size_t> primeiro;
    for (size_t k = 0; k < ordem.size(); ++k) {
        const TAchadoRelatorio& a = ARelatorio.Achados[ordem[k]];
        primeiro.try_emplace({a.Gravidade, a.Tipo}, k);
    }

    std::string h;
    h.reserve(4096 + ARelatorio.Achados.size() * 1024);
    const std::string titulo = "cargabal " + ARelatorio.Comando + ": relatório dos achados";
    h += "<!DOCTYPE html>\n<html lang=\"pt-BR\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
         Escapado(titulo) + "</title>\n<style>" + Estilo + "</style>\n</head>\n<body>\n<main>\n";
    h += "<h1>Relatório do <code>cargabal " + Escapado(ARelatorio.Comando) + "</code></h1>\n";
    h += "<p class=\"sub\">Modelo <b>" + Escapado(ARelatorio.Modelo) + "</b> &middot; " + Escapado(ARelatorio.Entrada) +
         "</p>\n";
    h += "<div class=\"totais\"><div class=\"total\"><b>" + Numero(erros) + "</b> " + (erros == 1 ? "erro" : "erros") +
         "</div><div class=\"total\"><b>" + Numero(avisos) + "</b> " + (avisos == 1 ? "aviso" : "avisos") +
         "</div><div class=\"total\">" + Escapado(ARelatorio.Resumo) + "</div></div>\n";

    h += "<h2>Achados por tipo</h2>\n";
    if (ARelatorio.Achados.empty()) {
        h += "<p class=\"vazio\">Nenhum achado.</p>\n";
    } else {
        h += "<table class=\"tipos\"><thead><tr><th>Quantidade</th><th>Gravidade</th><th>Tipo (os valores de cada "
             "achado como &hellip; e N)</th></tr></thead><tbody>\n";
        for (const TContagemTipo& t : OrdenarTipos(ContarPorTipo(listados))) {
            h += "<tr><td class=\"n\">" + Numero(t.Quantidade) + "</td><td class=\"gr\">";
            Gravidade(t.Gravidade, h);
            h += "</td><td><a href=\"#a" + Numero(primeiro.at({t.Gravidade, t.Tipo})) + "\">" + Escapado(t.Tipo) +
                 "</a></td></tr>\n";
        }
        h += "</tbody></table>\n";
    }

    size_t k = 0;
    for (const TGravidade g : {TGravidade::Erro, TGravidade::Aviso}) {
        const size_t n = g == TGravidade::Erro ? erros : avisos;
        if (n == 0) continue;
        h += std::string("<h2>") + (g == TGravidade::Erro ? "Erros" : "Avisos") + " (" + Numero(n) + ")</h2>\n";
        for (const size_t fim = k + n; k < fim; ++k) Achado(ARelatorio.Achados[ordem[k]], k, h);
    }
    h += "<footer>Gerado pelo cargabal. A página não depende de nada fora dela: pode ser aberta sem rede e "
         "enviada por e-mail.</footer>\n</main>\n</body>\n</html>\n";
    return h;
}

std::optional<std::string> GravarRelatorio(const std::string& AArquivo, const TRelatorio& ARelatorio) {
    const std::optional<std::filesystem::path> caminho = CaminhoDoArgumento(AArquivo);
    if (!caminho) return "o nome do relatório não é UTF-8 válido";
    const std::string html = HtmlDoRelatorio(ARelatorio);
    std::ofstream arquivo(*caminho, std::ios::binary | std::ios::trunc);
    if (arquivo) arquivo.write(html.data(), static_cast<std::streamsize>(html.size()));
    arquivo.close();
    if (!arquivo) {
        std::error_code erro;
        const std::filesystem::path pasta = caminho->parent_path();
        const bool semPasta = !pasta.empty() && !std::filesystem::is_directory(pasta, erro);
        return "não foi possível gravar o relatório \"" + AArquivo + "\"" +
               (semPasta ? ": a pasta não existe" : std::filesystem::is_directory(*caminho, erro) ? ": é uma pasta" : "");
    }
    return std::nullopt;
}

}  // namespace quelb::cli
