#include "generator/verificacao.h"

#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "catalogue/valor_decimal.h"
#include "generator/carga.h"
#include "generator/informacao_extra.h"
#include "generator/tabela_inteiros.h"
#include "generator/tipo_achado.h"
#include "generator/ler_registro.h"
#include "generator/modelos.h"
#include "generator/referencias.h"

namespace quelb {

namespace {


// An amount as the catalogue writes it: "12345.67", "0.015", "99999999".
Texto Quantia(int64_t ADezMilesimos) { return DeUtf8(TextoDecimal(ADezMilesimos)); }

// The value of a field's property (or of the item's place) as the catalogue
// writes it.
Texto ValorDado(const TCampo& ACampo, const TOrigem& o) {
    if (ACampo.Tipo == TTipoCampo::Posicao) return NumeroEmTexto(o.Posicao);
    const TPropriedade& p = *ACampo.Propriedade;
    if (p.Tipo == TTipoPropriedade::Texto) return Texto(p.Texto(o.Item));
    if (p.Tipo == TTipoPropriedade::Decimal) return Quantia(p.Numero(o.Item));
    if (p.Tipo == TTipoPropriedade::Enumeracao) {
        const auto i = static_cast<size_t>(p.Numero(o.Item));
        return i < p.Nomes.size() ? DeUtf8(p.Nomes[i]) : NumeroEmTexto(p.Numero(o.Item));
    }
    return NumeroEmTexto(p.Numero(o.Item));
}

Texto NomePropriedade(const TCampo& ACampo) {
    return ACampo.Propriedade ? DeUtf8(ACampo.Propriedade->Nome) : Texto(u"posição no catálogo");
}

// Control characters split or shift a fixed-width record.
bool Controle(char16_t c) { return c < 0x20 || c == 0x7F; }

// The nutrient amounts, which a model may write only with a nutrition record.
bool Nutriente(const TPropriedade* p) {
    if (p == nullptr) return false;
    const std::string_view n = p->Nome;
    return n.starts_with("Nutricional.") && n != "Nutricional.Codigo" && n != "Nutricional.Descricao" &&
           p->Tipo != TTipoPropriedade::Enumeracao;
}

// The front-of-pack "alto em" warnings of the 2020 rules: the flag, its
// nutrient, and the least amount per 100 g (solids) and per 100 ml
// (liquids) that calls for it, in ten-thousandths of the nutrient's unit.
struct TAltoEm {
    std::string_view Flag;
    std::string_view Nutriente;
    const char16_t* Nome;     // of the nutrient, for the message
    const char16_t* Unidade;  // of the amounts
    int64_t PorCemGramas, PorCemMililitros;
};
constexpr TAltoEm AltosEm[] = {
    {"Nutricional.AltoEmAcucarAdicionado", "Nutricional.AcucaresAdicionados", u"açúcares adicionados", u"g", 15'0000,
     7'5000},
    {"Nutricional.AltoEmGorduraSaturada", "Nutricional.GorduraSaturada", u"gordura saturada", u"g", 6'0000, 3'0000},
    {"Nutricional.AltoEmSodio", "Nutricional.Sodio", u"sódio", u"mg", 600'0000, 300'0000},
};

// The check itself: sees each record the model's writer would write.
class TVerificador final : public TObservadorRegistros {
public:
    TVerificador(const TDefinicaoModelo& AModelo, const plataforma::TFormatoNumerico& AFormato)
        : FModelo(AModelo), FFormato(AFormato) {
        // What depends on the model alone is looked up once, not per item.
        for (const TPropriedade& p : Propriedades)
            if (Nutriente(&p)) FNutrientes.push_back(&p);
        FArquivoDeNutrientes = ArquivoDeNutrientes();
        FValidadeEmDias = FModelo.ItemMostra("Validade") && !FModelo.ItemMostra("TipoValidade");
        FOutrosDepartamentos = FModelo.ItemMostra("Setor.Codigo");
        // The codes of the item record that name a record of another file:
        // by a property of their own (tare, supplier), or by the key itself
        // (sector, nutrition, extra information).
        for (const TReferencia& r : Referencias)
            if (FModelo.Arquivo(r.Arquivo) != nullptr && FModelo.ItemMostra(r.Propriedade))
                FReferenciasMostradas.push_back({&r, ProcurarPropriedade(r.Propriedade), &FChavesEscritas[r.Arquivo], false});
        for (const TArquivoModelo& a : FModelo.Arquivos) {
            if (a.Conteudo == TConteudoArquivo::Itens) continue;
            const TLayoutRegistro& l = a.Registros[0];
            for (const TCampo& f : l.Campos)
                if (f.Nome == l.Chave && f.Propriedade != nullptr && f.Propriedade != FCodigoDoItem &&
                    FModelo.ItemMostra(f.Propriedade->Nome)) {
                    FReferenciasPelaChave.push_back({f.Propriedade->Nome, a.Conteudo, f.Propriedade->Nome});
                    FReferenciasMostradas.push_back(
                        {&FReferenciasPelaChave.back(), f.Propriedade, &FChavesEscritas[a.Conteudo], true});
                }
        }
        // The content of each file's records: the values besides codes.
        for (TReferenciaMostrada& r : FReferenciasMostradas)
            r.Conteudo = ConteudoDosCampos(FModelo.Arquivo(r.Referencia->Arquivo)->Registros[0].Campos);
    }

    void Item(int32_t APosicao, const TQuelbCargaBalItem& AItem) {
        FPosicao = APosicao;
        FCodigo = AItem.Codigo;
        FDitos.clear();
        FNutrientesEscritos = false;
        FAltoEmEscrito = false;
    }

    // After the item's records: what the item had and no record carried.
    void FimDoItem(const TQuelbCargaBalItem& AItem) {
        if (FArquivoDeNutrientes != nullptr && !FNutrientesEscritos && TemNutrientes(AItem))
            Achar(TGravidade::Aviso, u"Nutricional", u"Nutricional: o item tem valores nutricionais, mas nenhum registro em " +
                                                           Texto(FArquivoDeNutrientes->Nome) + u"; o arquivo não os teria");
        if (FAltoEmEscrito) VerificarAltoEm(AItem);
        if (AItem.TipoValidade == tpvMeses && FValidadeEmDias)
            Achar(TGravidade::Aviso, u"TipoValidade",
                  u"TipoValidade: tpvMeses, mas " + Texto(FModelo.Arquivos[0].Nome) +
                      u" grava a validade em dias; o arquivo teria " + NumeroEmTexto(AItem.Validade) + u" dias");
        if (FOutrosDepartamentos) VerificarOutrosDepartamentos(AItem);
        for (const TReferenciaMostrada& r : FReferenciasMostradas) {
            const int64_t codigo = r.Propriedade->Numero(AItem);
            // A code whose record is written already is settled; only the
            // others wait for the end (a later item may write their record).
            // A key names a record only when positive.
            if ((r.PelaChave ? codigo > 0 : codigo != 0) && !r.ChavesEscritas->Contem(static_cast<uint64_t>(codigo))) {
                const bool semConteudo = std::all_of(r.Conteudo.begin(), r.Conteudo.end(),
                                                     [&](size_t i) { return AItem.Ausentes[i]; });
                FReferencias.push_back({FPosicao, FCodigo, r.Referencia, codigo, semConteudo});
            }
        }
        if (FEtiqueta != nullptr) VerificarEtiqueta(AItem);
    }

    // After the last item: the codes that name no record.
    void Fim() {
        // By file, the codes that items gave without their record's content:
        // the load leaves those records to the scale software, said once.
        std::map<TConteudoArquivo, TDeixados> deixados;
        for (const TReferenciaDada& d : FReferencias) {
            if (FChavesEscritas[d.Referencia->Arquivo].Contem(static_cast<uint64_t>(d.Valor))) continue;
            if (d.SemConteudo) {
                TDeixados& t = deixados[d.Referencia->Arquivo];
                if (t.Itens++ == 0) t.Referencia = d.Referencia;
                if (t.Vistos.insert(d.Valor).second && t.Codigos.size() < 10) t.Codigos.push_back(d.Valor);
                continue;
            }
            FAchados.push_back({TGravidade::Aviso, d.Posicao, d.Codigo,
                                DeUtf8(d.Referencia->Propriedade) + u": " + NumeroEmTexto(d.Valor) +
                                    u" não corresponde a nenhum registro do catálogo em " +
                                    Texto(FModelo.Arquivo(d.Referencia->Arquivo)->Nome)});
            Contar(FAchados.back().Gravidade, FAchados.back().Descricao);
            // At most twice the maximum of each gravity: what falls out now
            // falls out at the end.
            if (FAchados.size() / 4 >= FMaximo) Aparar();
        }
        for (const auto& [conteudo, t] : deixados) {
            Texto codigos;
            for (size_t i = 0; i < t.Codigos.size(); ++i) codigos += (i > 0 ? u", " : u"") + NumeroEmTexto(t.Codigos[i]);
            if (t.Vistos.size() > t.Codigos.size()) codigos += u", …";
            // About the whole catalogue, not about its first item.
            FAchados.push_back(
                {TGravidade::Aviso, -1, 0,
                 DeUtf8(t.Referencia->Propriedade) + u": " +
                     Plural(t.Itens, u"item cita", u"itens citam") +
                     u" " + Plural(t.Vistos.size(), u"código", u"códigos") +
                     u" (" + codigos + u") cujo registro o catálogo não traz: " + Texto(FModelo.Arquivo(conteudo)->Nome) +
                     u" fica sem eles, e valem os registros que o programa da balança já tem"});
            Contar(FAchados.back().Gravidade, FAchados.back().Descricao);
        }
        Aparar();
    }

    // The first FMaximo findings of each gravity in catalogue order, those
    // about the whole catalogue (position -1) first: one such finding sums up
    // many items. The others are counted.
    void Aparar() {
        std::stable_sort(FAchados.begin(), FAchados.end(),
                         [](const TAchado& a, const TAchado& b) { return a.Posicao < b.Posicao; });
        std::array<size_t, 2> guardados{};
        std::erase_if(FAchados, [&](const TAchado& a) {
            const auto g = static_cast<size_t>(a.Gravidade);
            if (guardados[g] < FMaximo) return ++guardados[g], false;
            ++FDescartados[g];
            return true;
        });
    }

    std::vector<TTipoContado>& Tipos() { return FTipos; }

    // The label check, before the first item: the items' codes are looked
    // up in the whole catalogue (the till would find a later item too).
    void DefinirEtiqueta(const TEtiquetaVerificada& AEtiqueta, const TQuelbCargaBalItens& AItens) {
        FEtiqueta = &AEtiqueta;
        FItens = &AItens;
        const int64_t maior = AEtiqueta.Formato.MaiorCodigo();
        for (int32_t i = 0; i < AItens.Count(); ++i) {
            const int32_t codigo = AItens.GetItem(i).Codigo;
            if (codigo >= 0 && codigo <= maior) FItemDoCodigo.Inserir(static_cast<uint64_t>(codigo), {i, codigo});
        }
        // The sale type as the model writes it: the item file's code of each type.
        const TPropriedade* tipo = ProcurarPropriedade("Tipo");
        std::span<const std::u16string_view> codigos;
        for (const TCampo& c : FModelo.Arquivos[0].Registros[0].Campos)
            if (c.Propriedade == tipo && c.Tipo == TTipoCampo::Codigo) codigos = c.Codigos;
        // A model that does not write the type: the item's own.
        static constexpr std::u16string_view Proprios[] = {u"0", u"1", u"2", u"3"};
        if (codigos.size() < std::size(Proprios)) codigos = Proprios;
        for (size_t t = 0; t < FRotulo.size(); ++t) {
            const auto de = [&](TQuelbCargaBalTipoVenda ATipo) { return codigos[static_cast<size_t>(ATipo)]; };
            const std::u16string_view escrito = de(static_cast<TQuelbCargaBalTipoVenda>(t));
            FRotulo[t] = escrito == de(tpvUnidade)      ? TRotulo::Nenhum
                         : escrito == de(tpvEAN13Und) ? TRotulo::PorUnidade
                                                      : TRotulo::PorPeso;
        }
    }

    std::vector<TAchado>& Achados() { return FAchados; }
    // Findings past the first FMaximo, by gravity.
    size_t Descartados(TGravidade AGravidade) const { return FDescartados[static_cast<size_t>(AGravidade)]; }
    size_t FMaximo = SIZE_MAX;

    bool Registro(TConteudoArquivo AConteudo, const TLayoutRegistro& ALayout, const TOrigem& AOrigem,
                  bool ASeNovo) override {
        const TPlano& plano = Plano(AConteudo, ALayout);
        FRegistro.inicio();
        ALayout.Escrever(FRegistro, AOrigem);
        const std::u16string_view linha = FRegistro.linha();
        // The fields' characters; only the key of a record is read as a value.
        DividirRegistro(ALayout.Campos, linha, FLidos);
        for (size_t i = 0; i < FLidos.size(); ++i) VerificarCampo(plano, i, AOrigem);

        if (!ASeNovo) {
            if (plano.RegistroDoItem) CodigoDeItem(*plano.Arquivo, AOrigem);
            return true;
        }
        return RegistroUnico(plano, linha);
    }

private:
    // What the check needs of a field, worked out once per layout: a record
    // has tens of fields and a catalogue millions of records.
    struct TPlanoCampo {
        const TCampo* Campo = nullptr;
        TCapacidade Capacidade;  // of a number
        bool Nutriente = false, AltoEm = false;
        // A text that is the last field before a closing mark, which ends
        // the record however its text runs (Filizola's recipe text and its "@").
        bool Fechado = false;
        // The property's name, which is also the key of its findings: a
        // value carried by several files is said once, for the first.
        Texto Nome;
    };
    struct TPlano {
        const TArquivoModelo* Arquivo;
        const TLayoutRegistro* Layout;  // the model table's entry (its name and key)
        Texto NomeArquivo;
        bool ComSoma;  // the record ends in a checksum
        bool RegistroDoItem;  // the item file's own record
        std::vector<TPlanoCampo> Campos;
        // The key field, or none (Campos.size()). When no other field of the
        // file's records shows the item's code, the line tells what a record
        // says under its key as well as its content would.
        size_t Chave;
        bool ConteudoPelaLinha;
    };
    const TPlano& Plano(TConteudoArquivo AConteudo, const TLayoutRegistro& ALayout) {
        const auto [lugar, novo] = FPlanos.try_emplace({AConteudo, ALayout.Campos.data()});
        TPlano& plano = lugar->second;
        if (!novo) return plano;
        plano.Arquivo = FModelo.Arquivo(AConteudo);
        plano.Layout = LayoutDoModelo(*plano.Arquivo, ALayout);
        plano.NomeArquivo = Texto(plano.Arquivo->Nome);
        plano.ComSoma = std::any_of(ALayout.Campos.begin(), ALayout.Campos.end(),
                                    [](const TCampo& c) { return c.Tipo == TTipoCampo::Soma; });
        plano.RegistroDoItem = AConteudo == TConteudoArquivo::Itens && plano.Layout == &plano.Arquivo->Registros[0];
        const std::span<const TCampo> campos = ALayout.Campos;
        for (size_t i = 0; i < campos.size(); ++i) {
            const TCampo& f = campos[i];
            TPlanoCampo c;
            c.Campo = &f;
            c.Capacidade = Capacidade(f, FFormato);
            c.Nutriente = Nutriente(f.Propriedade);
            c.AltoEm = f.Propriedade != nullptr && f.Propriedade->Nome.starts_with("Nutricional.AltoEm");
            c.Fechado = i + 2 == campos.size() && campos.back().Tipo == TTipoCampo::Fixo;
            c.Nome = NomePropriedade(f);
            plano.Campos.push_back(std::move(c));
        }
        const std::string_view chave = plano.Layout->Chave;
        plano.Chave = chave.empty() ? campos.size()
                                    : static_cast<size_t>(std::find_if(campos.begin(), campos.end(),
                                                                       [&](const TCampo& c) { return c.Nome == chave; }) -
                                                          campos.begin());
        // Every record of the file alike: their keys share one table.
        plano.ConteudoPelaLinha = true;
        for (const TLayoutRegistro& l : plano.Arquivo->Registros)
            for (const TCampo& c : l.Campos)
                if (c.Propriedade == FCodigoDoItem && c.Nome != l.Chave) plano.ConteudoPelaLinha = false;
        return plano;
    }

    struct TReferenciaDada {
        int32_t Posicao, Codigo;
        const TReferencia* Referencia;
        int64_t Valor;
        bool SemConteudo;  // the item gave none of its record's content
    };
    struct TDeixados {
        size_t Itens = 0;
        const TReferencia* Referencia = nullptr;  // of the first item
        std::unordered_set<int64_t> Vistos;
        std::vector<int64_t> Codigos;  // the first ones, in catalogue order
    };
    struct TPrimeiro {
        uint64_t Hash;
        int32_t Posicao, Codigo;
    };
    struct TItemVisto {
        int32_t Posicao, Codigo;
    };
    // What try_emplace found or put, and whether it put it.
    template <class TResultado>
    static auto Visto(const TResultado& AResultado) -> std::pair<decltype(AResultado.first->second)&, bool> {
        return {AResultado.first->second, AResultado.second};
    }
    // A code of at most 15 digits as one integer, its length in the low bits
    // (so that "07" and "007" stay apart); nothing for any other text.
    static std::optional<uint64_t> CodigoCompacto(std::u16string_view ATexto) {
        if (ATexto.empty() || ATexto.size() > 15) return std::nullopt;
        uint64_t v = 0;
        for (const char16_t c : ATexto) {
            if (c < u'0' || c > u'9') return std::nullopt;
            v = v * 10 + (c - u'0');
        }
        return v << 4 | ATexto.size();
    }

    // The model table's entry of a layout (its name and key).
    static const TLayoutRegistro* LayoutDoModelo(const TArquivoModelo& AArquivo, const TLayoutRegistro& ALayout) {
        for (const TLayoutRegistro& l : AArquivo.Registros)
            if (l.Campos.data() == ALayout.Campos.data()) return &l;
        return &ALayout;
    }
    bool TemNutrientes(const TQuelbCargaBalItem& AItem) const {
        return std::any_of(FNutrientes.begin(), FNutrientes.end(),
                           [&](const TPropriedade* p) { return p->Numero(AItem) != 0; });
    }
    const TArquivoModelo* ArquivoDeNutrientes() const {
        for (const TArquivoModelo& a : FModelo.Arquivos)
            for (const TLayoutRegistro& l : a.Registros)
                for (const TCampo& c : l.Campos)
                    if (Nutriente(c.Propriedade)) return &a;
        return nullptr;
    }

    void Achar(TGravidade AGravidade, const Texto& AChave, const Texto& ADescricao) {
        // The same value in several records of an item is said once.
        if (!FDitos.insert(AChave).second) return;
        // Findings come in catalogue order (but those of Fim): past the
        // first FMaximo of their gravity they are only counted.
        Contar(AGravidade, ADescricao);
        if (FGuardados[static_cast<size_t>(AGravidade)]++ < FMaximo) FAchados.push_back({AGravidade, FPosicao, FCodigo, ADescricao});
        else ++FDescartados[static_cast<size_t>(AGravidade)];
    }
    void Contar(TGravidade AGravidade, const Texto& ADescricao) {
        const auto [t, novo] = FIndiceTipo[static_cast<size_t>(AGravidade)].try_emplace(TipoDoAchado(ADescricao), FTipos.size());
        if (novo) FTipos.push_back({AGravidade, t->first, 0});
        ++FTipos[t->second].Quantidade;
    }

    // AQuantia * 100 / APorcao (APorcao > 0) without overflow: past the
    // 64-bit range it stays at the nearest end.
    static int64_t PorCem(int64_t AQuantia, int64_t APorcao) {
        const int64_t inteiros = AQuantia / APorcao, resto = AQuantia % APorcao;
        if (inteiros >= INT64_MAX / 100) return INT64_MAX;
        if (inteiros <= INT64_MIN / 100) return INT64_MIN;
        return inteiros * 100 + resto * 100 / APorcao;
    }

    // Each flag against the amount per 100 g or 100 ml, computed from the
    // portion; nothing to compare without a portion in grams or millilitres.
    void VerificarAltoEm(const TQuelbCargaBalItem& AItem) {
        const TQuelbCargaBalNutricional& n = AItem.Nutricional;
        if (n.Qtd <= 0 || (n.UndPorcao != tpGramas && n.UndPorcao != tpMililitros)) return;
        const bool liquido = n.UndPorcao == tpMililitros;
        const Texto base = liquido ? u"100 ml" : u"100 g";
        for (const TAltoEm& a : AltosEm) {
            const bool marcado = ProcurarPropriedade(a.Flag)->Numero(AItem) != 0;
            const int64_t porPorcao = ProcurarPropriedade(a.Nutriente)->Numero(AItem);
            const int64_t porCem = PorCem(porPorcao, n.Qtd);
            const int64_t limite = liquido ? a.PorCemMililitros : a.PorCemGramas;
            if (marcado == (porCem >= limite)) continue;
            const Texto quantidade = Quantia(porCem) + u" " + a.Unidade + u" de " + a.Nome + u" por " + base;
            Achar(TGravidade::Aviso, DeUtf8(a.Flag),
                  DeUtf8(a.Flag) + (marcado ? u": marcado, mas " + quantidade + u" ficam abaixo de " +
                                                  Quantia(limite) + u" " + a.Unidade
                                            : u": desmarcado, mas " + quantidade + u" chegam a " + Quantia(limite) +
                                                  u" " + a.Unidade + u" ou mais"));
        }
    }

    void VerificarCampo(const TPlano& APlano, size_t AIndice, const TOrigem& o) {
        const TPlanoCampo& plano = APlano.Campos[AIndice];
        const TCampo& f = *plano.Campo;
        if (f.Propriedade == nullptr && f.Tipo != TTipoCampo::Posicao) return;
        if (plano.Nutriente) FNutrientesEscritos = true;
        if (plano.AltoEm) FAltoEmEscrito = true;
        switch (f.Tipo) {
            case TTipoCampo::Texto:
                return VerificarTexto(APlano, plano, o);
            case TTipoCampo::TextoADireita:
                VerificarDigitos(APlano, plano, o);
                return VerificarTexto(APlano, plano, o);
            case TTipoCampo::Codigo:
                return VerificarCodigo(APlano, plano, o, FLidos[AIndice].Texto);
            case TTipoCampo::Coluna:
                return VerificarColuna(APlano, plano, o);
            case TTipoCampo::Lista:
                return VerificarLista(APlano, plano, o);
            case TTipoCampo::Fixo:
            case TTipoCampo::Soma:
                return;
            default:
                break;
        }
        const int64_t v = f.Tipo == TTipoCampo::Posicao ? o.Posicao : f.Propriedade->Numero(o.Item);
        const TCapacidade& c = plano.Capacidade;
        if (!c.Limitado || (v >= c.Minimo && v <= c.Maximo)) return;
        const Texto& nome = plano.Nome;
        const Texto& arquivo = APlano.NomeArquivo;
        const Texto dado = ValorDado(f, o);
        const Texto teria = u"; o arquivo teria " + Texto(FLidos[AIndice].Texto);
        Texto d;
        if (f.Tipo == TTipoCampo::PrecoSeisZeros)
            d = nome + u": " + dado + u" não cabe nos 9 caracteres do preço de " + arquivo + u" e alarga o registro" + teria;
        else if (v < 0 && f.Enchimento == u'0')
            d = nome + u": " + dado + u" é negativo e sai deformado nos " + NumeroEmTexto(f.Largura) + u" dígitos de " + arquivo +
                teria;
        else if (f.Tipo == TTipoCampo::Posicao)
            d = u"a posição " + dado + u" no catálogo passa do contador de " + NumeroEmTexto(f.Largura) + u" dígitos de " +
                arquivo + teria;
        else
            d = nome + u": " + dado + u" não cabe nos " + NumeroEmTexto(f.Largura) +
                (f.Tipo == TTipoCampo::PrecoAgrupado ? u" caracteres de " : u" dígitos de ") + arquivo + teria;
        Achar(TGravidade::Erro, nome, d);
    }

    // A vendor column takes its width in digits and spaces, or one of its
    // codes: anything else would be written cut, padded or deformed.
    void VerificarColuna(const TPlano& APlano, const TPlanoCampo& ACampo, const TOrigem& o) {
        const TCampo& f = *ACampo.Campo;
        if (f.Propriedade->TextoItem(o.Item).empty()) return;
        const Texto t = f.Propriedade->Texto(o.Item);
        if (ValorDaColuna(f, t)) return;
        Texto aceitos;
        for (const std::u16string_view c : f.Codigos) aceitos += (aceitos.empty() ? u"" : u" ou ") + CitarValor(c);
        Achar(TGravidade::Erro, ACampo.Nome,
              NomePropriedade(f) + u": " + CitarValor(t) + u" não serve à coluna " + DeUtf8(f.Legenda) + u" de " + APlano.NomeArquivo +
                  (f.Codigos.empty() ? u", que leva " + NumeroEmTexto(f.Largura) + u" caracteres, dígitos ou espaços"
                                     : u", que leva " + aceitos));
    }

    // A list takes digits, whole codes of its width: a "|" would end it
    // early and move every field after it.
    void VerificarLista(const TPlano& APlano, const TPlanoCampo& ACampo, const TOrigem& o) {
        const TCampo& f = *ACampo.Campo;
        const Texto t = f.Propriedade->Texto(o.Item);
        if (ValorDaLista(f, t)) return;
        Achar(TGravidade::Erro, ACampo.Nome,
              NomePropriedade(f) + u": " + CitarValor(t) + u" não serve à " + DeUtf8(f.Legenda) + u" de " + APlano.NomeArquivo +
                  (f.Entrada > 0 ? u", que leva códigos de " + NumeroEmTexto(f.Entrada) + u" dígitos um depois do outro"
                                 : Texto(u", que leva só dígitos")));
    }

    // The other departments of an item: codes of 2 digits, each once and
    // none the item's own; the item file has a line of the item for each.
    void VerificarOutrosDepartamentos(const TQuelbCargaBalItem& AItem) {
        const TTextoItem& outros = AItem.Toledo[TQuelbCargaBalColunasToledo::OutrosDepartamentos];
        if (outros.empty()) return;
        const Texto t = outros.Utf16();
        std::vector<int32_t> departamentos;
        if (!CodigosDaLista(t, 2, departamentos)) {
            Achar(TGravidade::Erro, u"Toledo.OutrosDepartamentos",
                  u"Toledo.OutrosDepartamentos: " + CitarValor(t) + u" não é uma lista de departamentos de 2 dígitos (\"0305\": "
                  u"os departamentos 03 e 05)");
            return;
        }
        std::array<bool, 100> vistos{};
        if (AItem.Setor.Codigo >= 0 && AItem.Setor.Codigo < 100) vistos[static_cast<size_t>(AItem.Setor.Codigo)] = true;
        for (const int32_t d : departamentos) {
            if (!std::exchange(vistos[static_cast<size_t>(d)], true)) continue;
            Achar(TGravidade::Erro, u"Toledo.OutrosDepartamentos|repetido",
                  u"Toledo.OutrosDepartamentos: o departamento " + NumeroComZeros(d, 2) +
                      u" aparece duas vezes com o do item (Setor.Codigo incluído): " + Texto(FModelo.Arquivos[0].Nome) +
                      u" teria duas linhas iguais do item");
            return;
        }
    }

    // A bar code, zero-filled on its left: a scale reads only digits there.
    void VerificarDigitos(const TPlano& APlano, const TPlanoCampo& ACampo, const TOrigem& o) {
        const TCampo& f = *ACampo.Campo;
        const TTextoItem& item = f.Propriedade->TextoItem(o.Item);
        const auto digito = [](auto c) { return c >= '0' && c <= '9'; };
        if (item.Estreito() ? std::all_of(item.Bytes().begin(), item.Bytes().end(), digito)
                            : std::all_of(item.Largo().begin(), item.Largo().end(), digito))
            return;
        const Texto t = f.Propriedade->Texto(o.Item);
        Achar(TGravidade::Erro, ACampo.Nome + u"|digitos",
              NomePropriedade(f) + u": " + CitarValor(t) + u" não é um código de barras: o campo de " + APlano.NomeArquivo +
                  u" só leva dígitos");
    }

    void VerificarTexto(const TPlano& APlano, const TPlanoCampo& ACampo, const TOrigem& o) {
        const TCampo& f = *ACampo.Campo;
        const TTextoItem& t = f.Propriedade->TextoItem(o.Item);
        // The part the field shows, from its first character; what is cut
        // is not written.
        const size_t inicio = std::min(t.size(), static_cast<size_t>(std::max(f.Inicio, 0)));
        const size_t n = std::min(t.size() - inicio, static_cast<size_t>(std::max(f.Largura, 0)));
        if (t.Estreito()) VerificarUnidades(t.Bytes().substr(inicio, n), APlano, ACampo);
        else VerificarUnidades(t.Largo().substr(inicio, n), APlano, ACampo);
    }
    // The same on the code units of a text: UTF-16, or one byte each.
    template <class TVista>
    void VerificarUnidades(TVista t, const TPlano& APlano, const TPlanoCampo& ACampo) {
        const TCampo& f = *ACampo.Campo;
        const bool fechado = ACampo.Fechado, comSoma = APlano.ComSoma;
        const Texto& arquivo = APlano.NomeArquivo;
        const Texto& chave = ACampo.Nome;
        const auto unidade = [&](size_t i) -> char16_t {
            if constexpr (sizeof(t[0]) == 1) return static_cast<unsigned char>(t[i]);
            else return t[i];
        };
        if constexpr (sizeof(t[0]) == 1) {
            // The usual text has nothing to say: one look per byte.
            if (!FByteLimpoPronto) {
                FByteLimpoPronto = true;
                for (size_t b = 0; b < 256; ++b)
                    FByteLimpo[b] = !Controle(static_cast<char16_t>(b)) && TemByte(static_cast<char16_t>(b));
            }
            if (std::all_of(t.begin(), t.end(), [&](char b) { return FByteLimpo[static_cast<unsigned char>(b)]; }))
                return;
        }
        for (size_t i = 0; i < t.size(); ++i) {
            const char16_t c = unidade(i);
            if (!Controle(c)) continue;
            Achar(fechado ? TGravidade::Aviso : TGravidade::Erro, chave + u"|controle",
                  NomePropriedade(f) + u": o texto tem " + (c == u'\n' || c == u'\r' ? Texto(u"uma quebra de linha") : Texto(u"um caractere de controle")) +
                      u" (U+" + Hexa(c) + u"), que " + (fechado ? u"fica no registro de " : u"divide ou desloca o registro de ") +
                      arquivo);
            break;
        }
        // The first character without a byte; a pair of surrogates, which is
        // one character, before any other where it shifts the record.
        size_t primeiro = t.size(), par = t.size();
        for (size_t i = 0; i < t.size() && par == t.size(); ++i) {
            const char16_t c = unidade(i);
            if (TemByte(c)) continue;
            if (primeiro == t.size()) primeiro = i;
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < t.size() && unidade(i + 1) >= 0xDC00 && unidade(i + 1) < 0xE000) {
                par = i;
                ++i;
            }
            if (comSoma) break;
        }
        // The pair takes two characters of the field and one byte of the
        // file: the fields after it shift left, unless a closing mark ends
        // the record.
        const bool desloca = par < t.size() && !fechado;
        const size_t i = par < t.size() ? par : primeiro;
        if (i == t.size()) return;
        Texto caractere(1, unidade(i));
        if (i == par) caractere += unidade(i + 1);
        Achar(comSoma || desloca ? TGravidade::Erro : TGravidade::Aviso, chave + u"|sem byte",
              NomePropriedade(f) + u": " + CitarValor(caractere) + u" não existe na página de código de " + arquivo +
                  (comSoma ? u"; o arquivo teria \"?\" e a soma de verificação do registro não conferiria"
                   : desloca ? u"; o arquivo teria um \"?\" só no lugar dos seus dois caracteres, e o registro "
                               u"ficaria um caractere mais curto, com os campos seguintes deslocados"
                             : u"; o arquivo teria \"?\""));
    }

    void VerificarCodigo(const TPlano& APlano, const TPlanoCampo& ACampo, const TOrigem& o, std::u16string_view AEscrito) {
        const TCampo& f = *ACampo.Campo;
        const auto ordinal = static_cast<size_t>(f.Propriedade->Numero(o.Item));
        if (ordinal >= f.Codigos.size()) return;
        // A value without a code of its own shares the code of a value before it.
        for (size_t i = 0; i < ordinal; ++i) {
            if (f.Codigos[i] != f.Codigos[ordinal]) continue;
            Achar(TGravidade::Aviso, ACampo.Nome,
                  NomePropriedade(f) + u": " + ValorDado(f, o) + u" não tem código próprio em " + APlano.NomeArquivo +
                      u"; o arquivo teria " + Texto(AEscrito) + u", o mesmo de " + DeUtf8(f.Propriedade->Nomes[i]));
            return;
        }
    }

    // Two items of the item file with the same code, as the file holds it.
    void CodigoDeItem(const TArquivoModelo& AArquivo, const TOrigem& o) {
        for (const TCampoLido& l : FLidos) {
            if (l.Campo->Propriedade != FCodigoDoItem) continue;
            const TItemVisto visto{FPosicao, FCodigo};
            const std::optional<uint64_t> compacto = CodigoCompacto(l.Texto);
            const auto [primeiro, novo] = compacto ? FCodigosCompactos.Inserir(*compacto, visto)
                                                   : Visto(FCodigosDeItem.try_emplace(Texto(l.Texto), visto));
            // The item's own lines under other departments repeat its code.
            if (!novo && primeiro.Posicao != FPosicao)
                Achar(TGravidade::Erro, u"Codigo|repetido",
                      u"Codigo: " + NumeroEmTexto(o.Item.Codigo) + u" fica com o código " + Texto(l.Texto) + u" em " +
                          Texto(AArquivo.Nome) + u", o mesmo de produtos[" + NumeroEmTexto(primeiro.Posicao) +
                          u"] (código " + NumeroEmTexto(primeiro.Codigo) + u")");
            return;
        }
    }

    // A file without repeated records: whether this one is new, and a
    // different record under a code already written.
    bool RegistroUnico(const TPlano& APlano, std::u16string_view ALinha) {
        const TArquivoModelo& arquivo = *APlano.Arquivo;
        // Lines already seen are kept by their case-free hash alone: a load
        // of a million distinct records is checked without holding them.
        const uint64_t hash = plataforma::HashSemCaixa(ALinha);
        if (!FLinhas[arquivo.Conteudo].Inserir(hash)) return false;
        if (APlano.Chave >= FLidos.size()) return true;
        TCampoLido* const chave = &FLidos[APlano.Chave];
        InterpretarCampo(*chave, ALinha);
        if (chave->Valido) FChavesEscritas[arquivo.Conteudo].Inserir(static_cast<uint64_t>(chave->Numero));
        // What the record says under its code: every field but the item's own
        // code (a Filizola text record names its item too).
        uint64_t hashConteudo = hash;
        if (!APlano.ConteudoPelaLinha) {
            FConteudo.clear();
            for (const TCampoLido& l : FLidos)
                if (&l != chave && l.Campo->Propriedade != FCodigoDoItem) FConteudo += l.Texto;
            hashConteudo = plataforma::HashSemCaixa(FConteudo);
        }
        const TPrimeiro visto{hashConteudo, FPosicao, FCodigo};
        const std::optional<uint64_t> compacto = CodigoCompacto(chave->Texto);
        const auto [primeiro, novo] = compacto ? FChavesCompactas[arquivo.Conteudo].Inserir(*compacto, visto)
                                               : Visto(FChaves[arquivo.Conteudo].try_emplace(Texto(chave->Texto), visto));
        // The item's own lines under other departments repeat its code.
        if (!novo && primeiro.Hash != hashConteudo && primeiro.Posicao != FPosicao) {
            const Texto nome = NomePropriedade(*chave->Campo);
            Achar(TGravidade::Erro, nome + u"|repetido",
                  nome + u": o código " + Texto(chave->Texto) + u" já tem outro registro em " + Texto(arquivo.Nome) +
                      u" (de produtos[" + NumeroEmTexto(primeiro.Posicao) + u"], código " + NumeroEmTexto(primeiro.Codigo) +
                      u"); o arquivo teria os dois");
        }
        return true;
    }

    // How the scale labels an item of a sale type.
    enum class TRotulo : uint8_t { Nenhum, PorPeso, PorUnidade };

    // "produtos[3] (código 149, "Pão francês")".
    Texto ProdutoDoCatalogo(int32_t APosicao) const {
        const TQuelbCargaBalItem& item = FItens->GetItem(APosicao);
        return u"produtos[" + NumeroEmTexto(APosicao) + u"] (código " + NumeroEmTexto(item.Codigo) + u", " +
               CitarValor(item.Descricao.Utf16()) + u")";
    }

    // An item that the scale labels with a bar code, against the layout.
    void VerificarEtiqueta(const TQuelbCargaBalItem& AItem) {
        const TRotulo rotulo = static_cast<size_t>(AItem.Tipo) < FRotulo.size()
                                   ? FRotulo[static_cast<size_t>(AItem.Tipo)]
                                   : TRotulo::Nenhum;
        if (rotulo == TRotulo::Nenhum) return;
        const TFormatoEtiqueta& f = FEtiqueta->Formato;
        const Texto padrao = DeUtf8(f.Padrao);
        const Texto digitosCodigo = NumeroEmTexto(f.DigitosCodigo) + (f.DigitosCodigo == 1 ? u" dígito" : u" dígitos");
        if (AItem.Codigo < 0) {
            Achar(TGravidade::Erro, u"Etiqueta|codigo",
                  u"Codigo: " + NumeroEmTexto(AItem.Codigo) + u" é negativo e não cabe no código da etiqueta " + padrao);
        } else if (AItem.Codigo > f.MaiorCodigo()) {
            // The scale prints the last digits: the till reads another code.
            const int64_t lido = AItem.Codigo % (f.MaiorCodigo() + 1);
            Texto d = u"Codigo: " + NumeroEmTexto(AItem.Codigo) + u" não cabe nos " + digitosCodigo +
                      u" do código da etiqueta " + padrao + u"; o caixa leria o código " + NumeroEmTexto(lido);
            const auto [primeiro, novo] =
                FItemDoCodigo.Inserir(static_cast<uint64_t>(lido), {FPosicao, AItem.Codigo});
            if (!novo && primeiro.Codigo == lido)
                d += u", que é o de " + ProdutoDoCatalogo(primeiro.Posicao);
            else if (!novo)
                d += u", o mesmo de " + ProdutoDoCatalogo(primeiro.Posicao);
            else
                d += u", que não é de nenhum produto do catálogo";
            Achar(TGravidade::Erro, u"Etiqueta|codigo", d);
        }
        if (f.Grandeza != TGrandezaEtiqueta::Preco) return;
        const int64_t preco = AItem.ValorVenda.DezMilesimos();
        if (preco <= 0) return;
        const int64_t maior = f.MaiorValor();  // cents
        const Texto campo = u" do preço da etiqueta " + padrao + u" (" + NumeroEmTexto(f.DigitosValor) +
                            u" dígitos, até " + DeUtf8(ComCasas(maior, 2)) + u")";
        if (rotulo == TRotulo::PorUnidade) {
            // A label of one unit already.
            if ((preco + 50) / 100 > maior)
                Achar(TGravidade::Aviso, u"Etiqueta|preco",
                      u"ValorVenda: " + Quantia(preco) + u" por unidade não cabe no campo" + campo);
            return;
        }
        // The total of w grams, in cents, rounded: preco * w / 100000. It
        // passes the field from the least w with preco * w >= (maior + 0.5) * 100000.
        const int64_t limite = (2 * maior + 1) * 50000;
        const int64_t gramas = (limite + preco - 1) / preco;
        if (gramas > FEtiqueta->PesoMaximo) return;
        Achar(TGravidade::Aviso, u"Etiqueta|preco",
              u"ValorVenda: " + Quantia(preco) + u" por kg não cabe no campo" + campo + u" a partir de " +
                  NumeroEmTexto(gramas) + u" g (o peso máximo da balança é " + NumeroEmTexto(FEtiqueta->PesoMaximo) +
                  u" g)");
    }

    static Texto Hexa(char16_t c) {
        static constexpr char16_t Digitos[] = u"0123456789ABCDEF";
        Texto r;
        for (int s = 12; s >= 0; s -= 4) r += Digitos[(c >> s) & 0xF];
        return r;
    }
    // Whether the code page writes c as itself.
    bool TemByte(char16_t c) {
        if (c < 0x80) return true;
        if (FTemByte.empty()) FTemByte.assign(0x10000, -1);
        int8_t& r = FTemByte[c];
        if (r < 0) {
            const std::u16string t(1, c);
            r = plataforma::DeCodigoPaginaArquivos(plataforma::ParaCodigoPaginaArquivos(t)) == t ? 1 : 0;
        }
        return r == 1;
    }

    const TDefinicaoModelo& FModelo;
    const plataforma::TFormatoNumerico& FFormato;
    std::vector<TAchado> FAchados;
    int32_t FPosicao = 0, FCodigo = 0;
    std::array<size_t, 2> FDescartados{};
    std::array<size_t, 2> FGuardados{};  // findings kept, by gravity
    std::vector<TTipoContado> FTipos;
    std::array<std::unordered_map<Texto, size_t>, 2> FIndiceTipo;  // in FTipos, by gravity and kind
    std::set<Texto> FDitos;  // findings of the current item
    bool FNutrientesEscritos = false;
    bool FAltoEmEscrito = false;  // a record of the item carries the "alto em" flags
    TRegistro FRegistro;
    std::vector<TCampoLido> FLidos;
    Texto FConteudo;  // room for a record's content, kept from one record to the next
    // The codes of the item file: made of digits only (the usual), as one
    // integer; any other, as it is written.
    TTabelaInteiros<TItemVisto> FCodigosCompactos;
    std::unordered_map<Texto, TItemVisto> FCodigosDeItem;
    std::map<TConteudoArquivo, TConjuntoInteiros> FLinhas;
    // The codes of the keyed records (as the item codes above).
    std::map<TConteudoArquivo, TTabelaInteiros<TPrimeiro>> FChavesCompactas;
    std::map<TConteudoArquivo, std::unordered_map<Texto, TPrimeiro>> FChaves;
    std::map<TConteudoArquivo, TConjuntoInteiros> FChavesEscritas;
    std::vector<TReferenciaDada> FReferencias;
    // By the model: the references the item file shows, whether it writes
    // the validity in days only, the file of the nutrients.
    struct TReferenciaMostrada {
        const TReferencia* Referencia;
        const TPropriedade* Propriedade;
        const TConjuntoInteiros* ChavesEscritas;
        bool PelaChave;  // the item shows the record's own key
        std::vector<size_t> Conteudo = {};  // positions in Propriedades
    };
    std::deque<TReferencia> FReferenciasPelaChave;  // FReferenciasMostradas points into it: a deque keeps them in place
    std::vector<TReferenciaMostrada> FReferenciasMostradas;
    bool FValidadeEmDias = false;
    bool FOutrosDepartamentos = false;  // the item file lists an item under several departments
    const TArquivoModelo* FArquivoDeNutrientes = nullptr;
    // The nutrient amounts.
    const TPropriedade* const FCodigoDoItem = ProcurarPropriedade("Codigo");
    std::vector<const TPropriedade*> FNutrientes;
    std::vector<int8_t> FTemByte;
    // By file and layout: URF32 writes one layout to two files.
    std::map<std::pair<TConteudoArquivo, const TCampo*>, TPlano> FPlanos;
    // By byte: neither a control nor without a byte of its own.
    std::array<bool, 256> FByteLimpo{};
    bool FByteLimpoPronto = false;
    // The label check: the layout, the catalogue, the first item of each
    // code the layout holds (and of each code that a wider one reads as),
    // and how the scale labels each sale type.
    const TEtiquetaVerificada* FEtiqueta = nullptr;
    const TQuelbCargaBalItens* FItens = nullptr;
    TTabelaInteiros<TItemVisto> FItemDoCodigo;
    std::array<TRotulo, 4> FRotulo{};
};

}  // namespace

Texto LugarDoAchado(const TAchado& AAchado, uint64_t ALinhaCsv) {
    if (AAchado.Posicao < 0) return u"catálogo";
    const Texto linha = ALinhaCsv > 0 ? u", linha " + NumeroEmTexto(static_cast<int64_t>(ALinhaCsv)) : Texto();
    return u"produtos[" + NumeroEmTexto(AAchado.Posicao) + u"] (código " + NumeroEmTexto(AAchado.Codigo) + linha + u")";
}

Texto LinhaDoAchado(const TAchado& AAchado, uint64_t ALinhaCsv) {
    return Texto(AAchado.Gravidade == TGravidade::Erro ? u"erro: " : u"aviso: ") + LugarDoAchado(AAchado, ALinhaCsv) +
           u", " + AAchado.Descricao;
}

TResumoVerificacao VerificarItens(TQuelbCargaBalItens& AItens, TQuelbCargaBalModelo AModelo,
                                  const plataforma::TFormatoNumerico& AFormato, size_t AMaximo,
                                  const TEtiquetaVerificada* AEtiqueta) {
    const TDefinicaoModelo* modelo = DefinicaoModelo(AModelo);
    if (modelo == nullptr) return {};
    TVerificador verificador(*modelo, AFormato);
    verificador.FMaximo = AMaximo;
    if (AEtiqueta != nullptr) verificador.DefinirEtiqueta(*AEtiqueta, AItens);
    TCarga carga(AFormato, verificador);
    const std::unique_ptr<TEscritorItens> escritor = modelo->CriarEscritor(carga);
    for (int32_t i = 0; i < AItens.Count(); ++i) {
        TQuelbCargaBalItem& item = AItens.GetItem(i);
        const TGuardaAcertos guarda(item);
        verificador.Item(i, item);
        escritor->Escrever(item, i + 1);
        verificador.FimDoItem(item);
    }
    verificador.Fim();
    TResumoVerificacao r;
    r.Primeiros = std::move(verificador.Achados());
    r.Tipos = std::move(verificador.Tipos());
    r.Erros = verificador.Descartados(TGravidade::Erro);
    r.Avisos = verificador.Descartados(TGravidade::Aviso);
    for (const TAchado& a : r.Primeiros) ++(a.Gravidade == TGravidade::Erro ? r.Erros : r.Avisos);
    return r;
}

std::vector<TAchado> VerificarItens(TQuelbCargaBalItens& AItens, TQuelbCargaBalModelo AModelo,
                                    const plataforma::TFormatoNumerico& AFormato,
                                    const TEtiquetaVerificada* AEtiqueta) {
    return VerificarItens(AItens, AModelo, AFormato, SIZE_MAX, AEtiqueta).Primeiros;
}

}  // namespace quelb
