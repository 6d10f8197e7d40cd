#include "bench/catalogo_json.h"

#include <cinttypes>
#include <string>

#include "catalogue/enumeracoes.h"
#include "catalogue/texto.h"

namespace quelb::bench {

namespace {

class TEscritorJson {
public:
    std::string Saida;

    void Chave(const char* ANome) {
        if (FPrecisaVirgula) Saida += ',';
        Saida += '"';
        Saida += ANome;
        Saida += "\":";
        FPrecisaVirgula = true;
    }
    void AbrirObjeto(const char* ANome) {
        Chave(ANome);
        Saida += '{';
        FPrecisaVirgula = false;
    }
    void FecharObjeto() {
        Saida += '}';
        FPrecisaVirgula = true;
    }
    void Inteiro(const char* ANome, int64_t AValor) {
        Chave(ANome);
        Saida += std::to_string(AValor);
    }
    void Nome(const char* ANome, const char* AValor) {
        Chave(ANome);
        Saida += '"';
        Saida += AValor;
        Saida += '"';
    }
    // An amount as a decimal string, four decimals.
    void Valor(const char* ANome, TValorFixo AValor) {
        Chave(ANome);
        const int64_t v = AValor.DezMilesimos();
        const uint64_t m = v < 0 ? 0u - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
        char buf[48];
        std::snprintf(buf, sizeof buf, "\"%s%" PRIu64 ".%04" PRIu64 "\"", v < 0 ? "-" : "", m / 10000, m % 10000);
        Saida += buf;
    }
    void Texto(const char* ANome, const TTextoItem& AValor) {
        Chave(ANome);
        Saida += '"';
        for (const char c : ParaUtf8(AValor.Utf16())) {
            const auto u = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                Saida += '\\';
                Saida += c;
            } else if (u < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", u);
                Saida += buf;
            } else {
                Saida += c;
            }
        }
        Saida += '"';
    }
    void Inicio() { FPrecisaVirgula = false; }

private:
    bool FPrecisaVirgula = false;
};

void EscreverItem(TEscritorJson& j, const TQuelbCargaBalItem& i) {
    j.Inicio();
    j.Saida += '{';
    j.Inteiro("Codigo", i.Codigo);
    j.Texto("Descricao", i.Descricao);
    j.Nome("Tipo", NomesTipoVenda[i.Tipo]);
    j.Valor("ValorVenda", i.ValorVenda);
    j.Inteiro("Validade", i.Validade);
    j.Nome("TipoValidade", NomesTipoValidade[i.TipoValidade]);
    j.Inteiro("Tecla", i.Tecla);
    j.Inteiro("ModeloEtiqueta", i.ModeloEtiqueta);
    j.AbrirObjeto("Setor");
    j.Inteiro("Codigo", i.Setor.Codigo);
    j.Texto("Descricao", i.Setor.Descricao);
    j.FecharObjeto();
    if (i.Nutricional.Codigo != 0 || !i.Nutricional.Descricao.empty()) {
        const TQuelbCargaBalNutricional& n = i.Nutricional;
        j.AbrirObjeto("Nutricional");
        j.Inteiro("Codigo", n.Codigo);
        j.Texto("Descricao", n.Descricao);
        j.Inteiro("Qtd", n.Qtd);
        j.Nome("UndPorcao", NomesUndPorcao[n.UndPorcao]);
        j.Inteiro("PartInteira", n.PartInteira);
        j.Nome("PartDecimal", NomesPartDecimal[n.PartDecimal]);
        j.Nome("MedCaseira", NomesMedCaseira[n.MedCaseira]);
        j.Inteiro("ValorEnergetico", n.ValorEnergetico);
        j.Valor("Carboidrato", n.Carboidrato);
        j.Valor("Proteina", n.Proteina);
        j.Valor("GorduraTotal", n.GorduraTotal);
        j.Valor("GorduraSaturada", n.GorduraSaturada);
        j.Valor("GorduraTrans", n.GorduraTrans);
        j.Valor("Fibra", n.Fibra);
        j.Valor("Sodio", n.Sodio);
        j.FecharObjeto();
    }
    if (i.Tara.Codigo != 0) {
        j.AbrirObjeto("Tara");
        j.Inteiro("Codigo", i.Tara.Codigo);
        j.Texto("Descricao", i.Tara.Descricao);
        j.Valor("Valor", i.Tara.Valor);
        j.FecharObjeto();
    }
    if (i.Fornecedor.Codigo != 0) {
        const TQuelbCargaBalFornecedor& f = i.Fornecedor;
        j.AbrirObjeto("Fornecedor");
        j.Inteiro("Codigo", f.Codigo);
        j.Texto("Observacao", f.Observacao);
        j.Texto("Descricao1", f.Descricao1);
        j.Texto("Descricao2", f.Descricao2);
        j.FecharObjeto();
    }
    if (!i.InformacaoExtra.Receita.empty()) {
        j.AbrirObjeto("InformacaoExtra");
        j.Inteiro("Codigo", i.InformacaoExtra.Codigo);
        j.Texto("Observacao", i.InformacaoExtra.Observacao);
        j.Texto("Receita", i.InformacaoExtra.Receita);
        j.FecharObjeto();
    }
    j.Inteiro("CodigoInfoNutr", i.CodigoInfoNutr);
    j.Inteiro("CodigoTara", i.CodigoTara);
    j.Inteiro("CodigoFornecedor", i.CodigoFornecedor);
    j.Texto("EAN13Fornecedor", i.EAN13Fornecedor);
    j.Saida += '}';
}

}  // namespace

bool EscreverCatalogoJson(const TQuelbCargaBalItens& AItens, std::FILE* ASaida) {
    TEscritorJson j;
    bool ok = std::fputs("{\"produtos\":[\n", ASaida) >= 0;
    bool primeiro = true;
    for (int32_t i = 0; i < AItens.Count(); ++i) {
        j.Saida.clear();
        if (!primeiro) j.Saida += ",\n";
        primeiro = false;
        EscreverItem(j, AItens.GetItem(i));
        ok = ok && std::fwrite(j.Saida.data(), 1, j.Saida.size(), ASaida) == j.Saida.size();
    }
    ok = ok && std::fputs("\n]}\n", ASaida) >= 0;
    return ok;
}

}  // namespace quelb::bench
