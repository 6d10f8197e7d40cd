#include "catalogue/leitor_catalogo.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "catalogue/leitor_interno.h"
#include "catalogue/nomes_catalogo.h"
#include "catalogue/texto.h"
#include "platform/cp1252.h"
#include "platform/leitura.h"

namespace quelb {

namespace leitura {

namespace {

constexpr size_t Bloco = size_t{1} << 18;

void AnexarUtf8(uint32_t c, char*& p) {
    if (c < 0x80) {
        *p++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *p++ = static_cast<char>(0xC0 | (c >> 6));
        *p++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *p++ = static_cast<char>(0xE0 | (c >> 12));
        *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *p++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *p++ = static_cast<char>(0xF0 | (c >> 18));
        *p++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *p++ = static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool Planilha(std::string_view ABytes) {
    return ABytes.starts_with("PK\x03\x04") || ABytes.starts_with("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}

}  // namespace

TEntrada::TEntrada(TFonteCatalogo& AFonte, const TOpcoesCatalogo& AOpcoes) : FFonte(AFonte), FOpcoes(AOpcoes) {}

size_t TEntrada::LerFonte(char* ADestino, size_t ATamanho) {
    const size_t n = FFonte.Ler(ADestino, ATamanho);
    FLidos += n;
    if (n > 0 && FOpcoes.Progresso) FOpcoes.Progresso(FLidos);
    return n;
}

bool TEntrada::Preparar(std::string& AErro) {
    std::string inicio(Bloco, '\0');
    size_t n = 0;
    // The first block whole, so that a byte-order mark and the first
    // character are there to see even from a pipe that gives little at a time.
    while (n < inicio.size()) {
        const size_t lidos = LerFonte(inicio.data() + n, inicio.size() - n);
        if (lidos == 0) break;
        n += lidos;
    }
    inicio.resize(n);
    if (Planilha(inicio)) {
        AErro = "o arquivo é uma planilha (xlsx, ods ou xls), não um CSV: abra-o no programa de planilhas e salve "
                "como CSV";
        return false;
    }
    size_t pular = 0;
    const auto codificacao = FOpcoes.Codificacao;
    if (inicio.starts_with("\xEF\xBB\xBF") &&
        (!codificacao || *codificacao == TCodificacaoCatalogo::Utf8)) {
        pular = 3;
    } else if (inicio.starts_with("\xFF\xFE") && (!codificacao || *codificacao == TCodificacaoCatalogo::Utf16)) {
        FModo = TModo::Utf16LE;
        pular = 2;
    } else if (inicio.starts_with("\xFE\xFF") && (!codificacao || *codificacao == TCodificacaoCatalogo::Utf16)) {
        FModo = TModo::Utf16BE;
        pular = 2;
    } else if (codificacao == TCodificacaoCatalogo::Utf16) {
        FModo = TModo::Utf16LE;  // Windows writes UTF-16 little-endian
    } else if (codificacao == TCodificacaoCatalogo::Windows1252) {
        FModo = TModo::Windows1252;
    }
    if (FModo == TModo::Direto) {
        FPendente = inicio.substr(pular);
    } else {
        FPendente.resize((n - pular) * 3 + 8);
        FPendente.resize(Converter(inicio.data() + pular, n - pular, FPendente.data()));
    }
    return true;
}

char TEntrada::PrimeiroCaractere() const {
    for (size_t i = FPosPendente; i < FPendente.size(); ++i) {
        const char c = FPendente[i];
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return c;
    }
    return 0;
}

size_t TEntrada::Converter(const char* ABytes, size_t ATamanho, char* ADestino) {
    char* p = ADestino;
    if (FModo == TModo::Windows1252) {
        for (size_t i = 0; i < ATamanho; ++i) {
            const unsigned char b = static_cast<unsigned char>(ABytes[i]);
            if (b < 0x80) *p++ = static_cast<char>(b);
            else for (const char16_t c : plataforma::cp1252::Decodificar(std::string_view(ABytes + i, 1))) AnexarUtf8(c, p);
        }
        return static_cast<size_t>(p - ADestino);
    }
    // UTF-16: the bytes left over from the last block come first.
    std::string bytes = std::move(FResto);
    bytes.append(ABytes, ATamanho);
    FResto.clear();
    const bool le = FModo == TModo::Utf16LE;
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const auto u = [&](size_t k) {
            const auto a = static_cast<unsigned char>(bytes[k]), b = static_cast<unsigned char>(bytes[k + 1]);
            return static_cast<uint32_t>(le ? a | (b << 8) : (a << 8) | b);
        };
        uint32_t c = u(i);
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 3 >= bytes.size()) break;  // its pair comes with the next block
            const uint32_t d = u(i + 2);
            if (d >= 0xDC00 && d <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (d - 0xDC00);
                i += 2;
            } else {
                c = 0xFFFD;
            }
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AnexarUtf8(c, p);
    }
    FResto = bytes.substr(i);
    return static_cast<size_t>(p - ADestino);
}

size_t TEntrada::Ler(char* ADestino, size_t ATamanho) {
    if (FPosPendente < FPendente.size()) {
        const size_t n = std::min(ATamanho, FPendente.size() - FPosPendente);
        std::memcpy(ADestino, FPendente.data() + FPosPendente, n);
        FPosPendente += n;
        if (FPosPendente == FPendente.size()) std::string().swap(FPendente);
        return n;
    }
    if (FModo == TModo::Direto) return LerFonte(ADestino, ATamanho);
    // Up to 3 bytes of UTF-8 per byte read (Windows-1252), 3 per 2 (UTF-16).
    FBruto.resize(std::max<size_t>(ATamanho / 3, 4));
    for (;;) {
        const size_t n = LerFonte(FBruto.data(), FBruto.size());
        if (n == 0) {
            if (FResto.empty()) return 0;
            // A last odd byte or a lone high surrogate.
            FResto.clear();
            char* p = ADestino;
            AnexarUtf8(0xFFFD, p);
            return static_cast<size_t>(p - ADestino);
        }
        const size_t r = Converter(FBruto.data(), n, ADestino);
        if (r > 0) return r;
    }
}

std::string Citar(std::string_view AUtf8) {
    constexpr size_t Maximo = 60;  // characters shown of a long text
    size_t caracteres = 0, corte = AUtf8.size();
    for (size_t i = 0; i < AUtf8.size(); ++i) {
        if ((static_cast<unsigned char>(AUtf8[i]) & 0xC0) == 0x80) continue;
        if (caracteres++ == Maximo) {
            corte = i;
            break;
        }
    }
    // Bytes that are not UTF-8 show as U+FFFD.
    const std::string texto = ParaUtf8(DeUtf8(AUtf8.substr(0, corte)));
    return "\"" + texto + (corte < AUtf8.size() ? "\"…" : "\"");
}

std::string DescreverEsperado(const TPropriedade& APropriedade) {
    switch (APropriedade.Tipo) {
        case TTipoPropriedade::Inteiro32: return "inteiro de 32 bits";
        case TTipoPropriedade::Inteiro16: return "inteiro de 16 bits";
        case TTipoPropriedade::Decimal: return "valor decimal";
        case TTipoPropriedade::Texto: return "texto";
        case TTipoPropriedade::Booleano: return "verdadeiro ou falso (true/false, sim/não, 1/0)";
        case TTipoPropriedade::Enumeracao: {
            std::string r = "um de ";
            for (size_t i = 0; i < APropriedade.Nomes.size(); ++i) {
                if (i > 0) r += i + 1 == APropriedade.Nomes.size() ? " ou " : ", ";
                r += APropriedade.Nomes[i];
            }
            return r;
        }
    }
    return {};
}

bool Utf8Valido(std::string_view t) {
    const auto* p = reinterpret_cast<const unsigned char*>(t.data());
    const auto* fim = p + t.size();
    while (p < fim) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        size_t n;
        uint32_t c;
        if ((*p & 0xE0) == 0xC0) n = 2, c = *p & 0x1F;
        else if ((*p & 0xF0) == 0xE0) n = 3, c = *p & 0x0F;
        else if ((*p & 0xF8) == 0xF0) n = 4, c = *p & 0x07;
        else return false;
        if (static_cast<size_t>(fim - p) < n) return false;
        for (size_t k = 1; k < n; ++k) {
            if ((p[k] & 0xC0) != 0x80) return false;
            c = (c << 6) | (p[k] & 0x3F);
        }
        static constexpr uint32_t Minimo[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < Minimo[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        p += n;
    }
    return true;
}

namespace {

// AUtf8 as one byte per character when every character is U+0000..U+00FF
// (ASCII, and the two-byte sequences led by C2 or C3): AUtf8 itself when it
// is ASCII, otherwise the bytes made in ARascunho; nothing for any other
// text. Such a text is already in NFC: composition changes only texts with
// characters from U+0300 on.
std::optional<std::string_view> Latin1DeUtf8(std::string_view AUtf8, std::string& ARascunho) {
    size_t i = 0;
    while (i < AUtf8.size() && static_cast<unsigned char>(AUtf8[i]) < 0x80) ++i;
    if (i == AUtf8.size()) return AUtf8;
    ARascunho.resize(AUtf8.size());
    char* d = ARascunho.data();
    std::memcpy(d, AUtf8.data(), i);
    d += i;
    for (; i < AUtf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(AUtf8[i]);
        if (c < 0x80) {
            *d++ = static_cast<char>(c);
            continue;
        }
        if ((c != 0xC2 && c != 0xC3) || i + 1 == AUtf8.size()) return std::nullopt;
        const auto e = static_cast<unsigned char>(AUtf8[++i]);
        if ((e & 0xC0) != 0x80) return std::nullopt;
        *d++ = static_cast<char>((c & 0x1F) << 6 | (e & 0x3F));
    }
    ARascunho.resize(static_cast<size_t>(d - ARascunho.data()));
    return ARascunho;
}

}  // namespace

bool DefinirTextoUtf8(const TPropriedade& APropriedade, TQuelbCargaBalItem& AItem, std::string_view AUtf8,
                      TRascunhoTexto& ARascunho, TArenaTextos& AArena) {
    // Latin1DeUtf8 takes only well-formed sequences; DeUtf8 checks the rest.
    if (const std::optional<std::string_view> bytes = Latin1DeUtf8(AUtf8, ARascunho.Bytes)) {
        APropriedade.LocalTexto(AItem).DefinirLatin1(*bytes, AArena);
        return true;
    }
    ARascunho.Utf16.clear();
    if (!DeUtf8(AUtf8, ARascunho.Utf16)) return false;
    plataforma::ComporNfc(ARascunho.Utf16);
    APropriedade.DefinirTexto(AItem, ARascunho.Utf16);
    return true;
}

void TContexto::Ignorar(const std::string& ANome, const std::string& ANormalizado) {
    if (std::find(IgnoradosNormalizados.begin(), IgnoradosNormalizados.end(), ANormalizado) !=
        IgnoradosNormalizados.end())
        return;
    IgnoradosNormalizados.push_back(ANormalizado);
    Relatorio.Ignorados.push_back(ANome);
}

void TContexto::Deu(size_t APropriedade) {
    static const size_t Codigo = IndicePropriedade("Codigo"), Descricao = IndicePropriedade("Descricao"),
                        ValorVenda = IndicePropriedade("ValorVenda");
    if (APropriedade == Codigo) DeuCodigo = true;
    else if (APropriedade == Descricao) DeuDescricao = true;
    else if (APropriedade == ValorVenda) DeuValorVenda = true;
}

void TContexto::ConferirObrigatorias(bool AColunas) {
    if (Itens.Count() == Antes) return;  // an empty catalogue is the generator's to refuse
    struct TObrigatoria {
        bool Dada;
        const char* Nome;
        std::vector<std::string_view> Pistas;  // parts of a name that may have meant it
    };
    const TObrigatoria obrigatorias[] = {
        {DeuCodigo, "Codigo", {"cod", "plu", "sku", "ean"}},
        {DeuDescricao, "Descricao", {"desc", "nome", "produto", "item"}},
        {DeuValorVenda, "ValorVenda", {"prec", "valor", "venda", "pvenda"}},
    };
    for (const TObrigatoria& o : obrigatorias) {
        if (o.Dada) continue;
        std::string erro = std::string("nenhum produto informa ") + o.Nome + ", que é obrigatório";
        for (size_t i = 0; i < IgnoradosNormalizados.size(); ++i) {
            const std::string& n = IgnoradosNormalizados[i];
            if (std::any_of(o.Pistas.begin(), o.Pistas.end(), [&](std::string_view p) { return n.find(p) != std::string::npos; })) {
                erro += std::string("; ") + (AColunas ? "a coluna ignorada " : "a chave ignorada ") +
                        Citar(Relatorio.Ignorados[i]) + " seria " + o.Nome + "?";
                break;
            }
        }
        Relatorio.Adicionar(std::move(erro));
    }
}

}  // namespace leitura

size_t TFonteMemoria::Ler(char* ADestino, size_t ATamanho) {
    const size_t n = std::min(ATamanho, FBytes.size());
    std::memcpy(ADestino, FBytes.data(), n);
    FBytes.remove_prefix(n);
    return n;
}

namespace {

class TFonteArquivo : public TFonteCatalogo {
public:
    size_t Ler(char* ADestino, size_t ATamanho) override {
        const size_t n = Arquivo.Ler(ADestino, ATamanho);
        if (n == 0 && !Arquivo.Erro().empty())
            throw ECatalogoIlegivel("erro ao ler " + Nome + ": " + ParaUtf8(Arquivo.Erro()));
        return n;
    }
    uint64_t Tamanho() const override { return Arquivo.Tamanho(); }

    plataforma::TArquivoLeitura Arquivo;
    std::string Nome;
};

bool IguaisSemCaixa(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
    return true;
}

std::string_view Extensao(std::string_view ANome) {
    const size_t ponto = ANome.rfind('.');
    if (ponto == std::string_view::npos || ANome.find_first_of("/\\", ponto) != std::string_view::npos) return {};
    return ANome.substr(ponto + 1);
}

}  // namespace

std::unique_ptr<TFonteCatalogo> AbrirArquivoCatalogo(const std::u16string& ACaminho) {
    auto fonte = std::make_unique<TFonteArquivo>();
    if (ACaminho == u"-") {
        fonte->Nome = "a entrada padrão";
        fonte->Arquivo.AbrirEntradaPadrao();
        return fonte;
    }
    fonte->Nome = "\"" + ParaUtf8(ACaminho) + "\"";
    std::u16string causa;
    if (!fonte->Arquivo.Abrir(ACaminho, causa))
        throw ECatalogoIlegivel("não foi possível ler " + fonte->Nome + ": " + ParaUtf8(causa));
    return fonte;
}

void TRelatorioCatalogo::Adicionar(std::string AErro) {
    if (Erros.size() < MaximoErrosListados) Erros.push_back(std::move(AErro));
    ++QuantidadeErros;
}

std::string TRelatorioCatalogo::TextoErros() const {
    std::string r;
    for (const std::string& e : Erros) r += e + "\n";
    if (QuantidadeErros > Erros.size()) {
        const uint64_t mais = QuantidadeErros - Erros.size();
        r += "... e mais " + std::to_string(mais) + (mais == 1 ? " erro\n" : " erros\n");
    }
    return r;
}

TRelatorioCatalogo LerCatalogo(TFonteCatalogo& AFonte, std::string_view ANome, const TOpcoesCatalogo& AOpcoes,
                               TQuelbCargaBalItens& AItens) {
    TRelatorioCatalogo relatorio;
    const int32_t antes = AItens.Count();
    leitura::TContexto contexto{AItens, relatorio, antes};
    try {
        const std::string_view extensao = Extensao(ANome);
        for (const std::string_view planilha : {"xlsx", "xls", "ods", "xlsm"}) {
            if (IguaisSemCaixa(extensao, planilha)) {
                relatorio.Adicionar("o arquivo é uma planilha (." + std::string(extensao) +
                                    "), não um CSV: abra-o no programa de planilhas e salve como CSV");
                return relatorio;
            }
        }
        leitura::TEntrada entrada(AFonte, AOpcoes);
        std::string erro;
        if (!entrada.Preparar(erro)) {
            relatorio.Adicionar(std::move(erro));
            return relatorio;
        }
        std::optional<TFormatoCatalogo> formato = AOpcoes.Formato;
        if (!formato) {
            if (IguaisSemCaixa(extensao, "json")) formato = TFormatoCatalogo::Json;
            else if (IguaisSemCaixa(extensao, "csv"))
                formato = TFormatoCatalogo::Csv;
            else {
                const char c = entrada.PrimeiroCaractere();
                formato = c == '{' || c == '[' ? TFormatoCatalogo::Json : TFormatoCatalogo::Csv;
            }
        }
        const bool inteiro = *formato == TFormatoCatalogo::Json ? leitura::LerJson(entrada, contexto)
                                                                 : leitura::LerCsv(entrada, AOpcoes, contexto);
        // After a file cut short the required properties may be in the part unread.
        if (inteiro) contexto.ConferirObrigatorias(*formato == TFormatoCatalogo::Csv);
        relatorio.Colunas = *formato == TFormatoCatalogo::Csv;
    } catch (const ECatalogoIlegivel& e) {
        relatorio.Adicionar(e.what());
    } catch (...) {
        AItens.Truncar(antes);
        throw;
    }
    if (relatorio.Ok()) AItens.Textos().Juntar(std::move(contexto.Textos));
    else AItens.Truncar(antes);
    relatorio.Itens = AItens.Count() - antes;
    return relatorio;
}

TRelatorioCatalogo LerCatalogo(std::string_view ABytes, std::string_view ANome, const TOpcoesCatalogo& AOpcoes,
                               TQuelbCargaBalItens& AItens) {
    TFonteMemoria fonte(ABytes);
    return LerCatalogo(fonte, ANome, AOpcoes, AItens);
}

}  // namespace quelb
