#include "generator/ler_carga.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <deque>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "catalogue/propriedades.h"
#include "generator/arquivo_carga.h"
#include "generator/carga.h"
#include "generator/informacao_extra.h"
#include "generator/ler_registro.h"
#include "generator/modelos.h"
#include "generator/referencias.h"
#include "generator/registro_sem_final.h"
#include "generator/tipo_achado.h"
#include "generator/valores_implicitos.h"
#include "platform/plataforma.h"

namespace quelb {

namespace {

using namespace carga;

constexpr size_t QuantidadePropriedades = std::size(Propriedades);
using TDefinidas = std::bitset<QuantidadePropriedades>;

size_t IndiceDe(const TPropriedade* p) { return static_cast<size_t>(p - Propriedades); }
const TPropriedade& Propriedade(std::string_view ANome) { return *ProcurarPropriedade(ANome); }


// A record, read by the layout that fits it. Its fields are read again
// where they are used, so that a large load keeps a few words per record,
// not every field.
struct TRegistroLido {
    const TLayoutRegistro* Layout = nullptr;
    bool LarguraCerta = false;
    uint64_t Linha = 0;
    std::u16string_view Texto;
};

bool ComecaCom(std::u16string_view ALinha, std::span<const TCampo> ACampos) {
    return ACampos.empty() || ACampos[0].Tipo != TTipoCampo::Fixo || ALinha.starts_with(ACampos[0].Fixo);
}

// The layout of the file's layouts that reads ALinha best: a layout whose
// leading fixed text the line has, of the right width, with every field
// valid; failing that, the first that starts right. False when none does.
bool LerComLayout(std::span<const TLayoutRegistro> ALayouts, const TLinha& ALinha, TRegistroLido& ARegistro,
                  std::vector<TCampoLido>& ALidos) {
    ARegistro = {};
    ARegistro.Linha = ALinha.Numero;
    ARegistro.Texto = ALinha.Texto;
    std::vector<TCampoLido> lidos;
    int melhor = -1;
    for (const TLayoutRegistro& l : ALayouts) {
        if (!ComecaCom(ALinha.Texto, l.Campos)) continue;
        const bool largura = LerRegistro(l.Campos, ALinha.Texto, lidos);
        const bool validos = std::all_of(lidos.begin(), lidos.end(), [](const TCampoLido& c) { return c.Valido; });
        const int nota = (largura ? 2 : 0) + (validos ? 1 : 0);
        if (nota > melhor) {
            melhor = nota;
            ARegistro.Layout = &l;
            ALidos = lidos;
            ARegistro.LarguraCerta = largura;
        }
        if (nota == 3) break;
    }
    return ARegistro.Layout != nullptr;
}

// The property of the departments an item file lists an item under besides
// its own (the lines of the item that differ only there).
constexpr size_t IndiceOutrosDepartamentos = IndicePropriedade("Toledo.OutrosDepartamentos");

// Where the texts that end a record begin (0-based), or -1 when the record
// ends in another kind of field. Writers that trim trailing spaces stop a
// line anywhere in these texts.
int32_t InicioDoTextoFinal(std::span<const TCampo> ACampos) {
    size_t i = ACampos.size();
    while (i > 0 && ACampos[i - 1].Tipo == TTipoCampo::Texto) --i;
    return i == ACampos.size() ? -1 : Largura(ACampos.first(i));
}

// A field as the messages name it: by the vendor's legend; by its name
// when it shows a property; else by its columns (a fixed filler has no name
// a person would know).
Texto NomeNaMensagem(const TCampo& f, size_t AColuna) {
    if (!f.Legenda.empty()) return DeUtf8(f.Legenda);
    if (f.Propriedade != nullptr) return DeUtf8(f.Nome);
    if (f.Largura <= 1) return u"da coluna " + NumeroEmTexto(static_cast<int64_t>(AColuna));
    return u"das colunas " + NumeroEmTexto(static_cast<int64_t>(AColuna)) + u" a " +
           NumeroEmTexto(static_cast<int64_t>(AColuna) + f.Largura - 1);
}

// For a line of AFolga characters more (or less) than its fixed-width
// layout: the first text field that, AFolga characters shorter (or longer),
// lets every field after it read right. Writers that cut or pad a text
// wrongly shift the rest of the record this way.
// AFinal, when given, completes each candidate after its last mark.
Texto CampoDeslocado(std::span<const TCampo> ACampos, std::u16string_view ALinha, int64_t AFolga,
                     const TFinalAposListas* AFinal = nullptr) {
    std::vector<TCampoLido> lidos;
    Texto normalizada;
    size_t coluna = 0;
    for (const TCampo& f : ACampos) {
        const size_t fim = coluna + static_cast<size_t>(f.Largura);
        coluna = fim;
        if (f.Tipo != TTipoCampo::Texto) continue;
        Texto consertada;
        if (AFolga < 0 && -AFolga <= f.Largura && fim - static_cast<size_t>(-AFolga) <= ALinha.size())
            consertada = Texto(ALinha.substr(0, fim - static_cast<size_t>(-AFolga))) + Texto(static_cast<size_t>(-AFolga), u' ') +
                         Texto(ALinha.substr(fim - static_cast<size_t>(-AFolga)));
        else if (AFolga > 0 && fim + static_cast<size_t>(AFolga) <= ALinha.size())
            consertada = Texto(ALinha.substr(0, fim)) + Texto(ALinha.substr(fim + static_cast<size_t>(AFolga)));
        else
            continue;
        if (AFinal != nullptr && AFinal->Completar(consertada, normalizada)) consertada = normalizada;
        // A vendor column with the store's value is no sign of a shift.
        if (LerRegistro(ACampos, consertada, lidos) &&
            std::all_of(lidos.begin(), lidos.end(), [](const TCampoLido& l) { return l.Valido || l.Campo->DoFabricante; }))
            return u"; o campo " + (f.Legenda.empty() ? DeUtf8(f.Nome) : DeUtf8(f.Legenda)) + u" (coluna " +
                   NumeroEmTexto(static_cast<int64_t>(fim) - f.Largura + 1) + u") parece ter " +
                   NumeroEmTexto(AFolga < 0 ? -AFolga : AFolga) + (AFolga < 0 ? u" caracteres a menos" : u" caracteres a mais") +
                   u", que deslocam os campos seguintes: com ele na sua largura, eles conferem";
    }
    return {};
}

// ---- The reading ----

class TLeitor {
public:
    TLeitor(const TDefinicaoModelo& AModelo, TQuelbCargaBalItens& AItens)
        : FModelo(AModelo), FItens(AItens), FPrimeiroItem(AItens.Count()) {}

    TLeituraCarga Ler(std::span<const TArquivoCarga> AArquivos) {
        for (const TArquivoModelo& a : FModelo.Arquivos) {
            const TArquivoCarga* arquivo = ProcurarArquivo(AArquivos, a.Nome);
            if (arquivo == nullptr) continue;
            FPresentes[PosicaoArquivo(a)] = true;
            LerArquivo(a, *arquivo);
            for (const TArquivoCarga& outro : AArquivos)
                if (&outro != arquivo && Maiusculas(outro.Nome) == Maiusculas(a.Nome))
                    Achar(TGravidade::Aviso, a.Nome, 0, 0,
                          u"a pasta também tem " + outro.Nome + u", que difere só nas maiúsculas e minúsculas; lido " +
                              arquivo->Nome + u", não " + outro.Nome);
        }
        if (ProcurarArquivo(AArquivos, FModelo.Arquivos[0].Nome) == nullptr)
            Achar(TGravidade::Erro, FModelo.Arquivos[0].Nome, 0, 0, u"falta o arquivo de itens");
        ConferirSequencia();
        for (size_t i = 1; i < FModelo.Arquivos.size(); ++i) Juntar(FModelo.Arquivos[i], FRegistros[i]);
        std::stable_sort(FResultado.Achados.begin(), FResultado.Achados.end(),
                         [this](const TAchadoCarga& a, const TAchadoCarga& b) {
                             return std::pair(OrdemArquivo(a.Arquivo), a.Linha) < std::pair(OrdemArquivo(b.Arquivo), b.Linha);
                         });
        // The files by the names they have in the folder.
        for (TAchadoCarga& a : FResultado.Achados)
            if (const TArquivoCarga* arquivo = ProcurarArquivo(AArquivos, a.Arquivo)) a.Arquivo = arquivo->Nome;
        // A value read from another record of the item is not missing.
        std::vector<std::pair<int32_t, size_t>>& naoLidos = FResultado.NaoLidos;
        std::erase_if(naoLidos, [this](const std::pair<int32_t, size_t>& n) {
            return FLidos[static_cast<size_t>(n.first - FPrimeiroItem)].Definidas[n.second];
        });
        std::sort(naoLidos.begin(), naoLidos.end());
        naoLidos.erase(std::unique(naoLidos.begin(), naoLidos.end()), naoLidos.end());
        return std::move(FResultado);
    }

private:
    // An item read, with what its records have set.
    struct TItemLido {
        TQuelbCargaBalItem* Item;
        uint64_t Linha;
        TDefinidas Definidas;
        std::u16string_view Registro = {};  // its record, while the item file is read
    };

    size_t OrdemArquivo(const Texto& ANome) const {
        for (size_t i = 0; i < FModelo.Arquivos.size(); ++i)
            if (FModelo.Arquivos[i].Nome == ANome) return i;
        return FModelo.Arquivos.size();
    }

    void Achar(TGravidade AGravidade, std::u16string_view AArquivo, uint64_t ALinha, size_t AColuna, Texto ADescricao) {
        FResultado.Achados.push_back({AGravidade, Texto(AArquivo), ALinha, AColuna, std::move(ADescricao)});
    }

    size_t PosicaoArquivo(const TArquivoModelo& AArquivo) const {
        return static_cast<size_t>(&AArquivo - FModelo.Arquivos.data());
    }

    void LerArquivo(const TArquivoModelo& AArquivo, const TArquivoCarga& ACarga) {
        const std::u16string_view nome = AArquivo.Nome;
        // The item file makes its items as it is read; the records of the
        // other files, which join to them, are kept with their text.
        const bool itens = &AArquivo == &FModelo.Arquivos[0];
        FArquivoAtual = nome;
        const TCodificacaoCarga codificacao = CodificacaoDe(ACarga.Bytes);
        Texto textoDosItens;
        const Texto& texto = itens ? (textoDosItens = Decodificar(ACarga.Bytes, codificacao))
                                   : FTextos.emplace_back(Decodificar(ACarga.Bytes, codificacao));
        AvisarCodificacao(nome, codificacao);
        // A DOS end-of-file mark closes the file: not a record.
        std::u16string_view conteudo = texto;
        const bool fimDos = conteudo.ends_with(u'\x1A');
        if (fimDos) conteudo.remove_suffix(1);
        bool semCrLf = false;
        std::vector<TLinha> linhas = Linhas(conteudo, semCrLf);
        if (semCrLf) Achar(TGravidade::Aviso, nome, 1, 0, u"as linhas terminam só com LF, sem CR");
        if (!conteudo.empty() && !conteudo.ends_with(u"\n"))
            Achar(TGravidade::Aviso, nome, linhas.size(), 0, u"a última linha não termina com CR LF");
        if (fimDos)
            Achar(TGravidade::Aviso, nome, linhas.size() + (conteudo.ends_with(u"\n") || conteudo.empty() ? 1 : 0), 0,
                  u"o arquivo termina com o caractere 0x1A (fim de arquivo do DOS), que não é lido");
        std::vector<TRegistroLido>& registros = FRegistros[PosicaoArquivo(AArquivo)];
        const int32_t larguraFixa =
            AArquivo.Registros.size() == 1 ? LarguraFixa(AArquivo.Registros[0].Campos) : -1;
        const int32_t textoFinal = larguraFixa > 0 ? InicioDoTextoFinal(AArquivo.Registros[0].Campos) : -1;
        TOcorrencias curtas, semFinal, semFim;
        TFormaSemFim formaSemFim(larguraFixa > 0 ? AArquivo.Registros[0].Campos : std::span<const TCampo>());
        const TFinalAposListas finalAposListas(AArquivo.Registros.size() == 1 ? AArquivo.Registros[0].Campos
                                                                              : std::span<const TCampo>());
        Texto normalizada;
        for (size_t i = 0; i < linhas.size(); ++i) {
            TLinha linha = linhas[i];
            if (linha.Texto.empty()) {
                Achar(TGravidade::Aviso, nome, linha.Numero, 0,
                      i + 1 == linhas.size() ? u"linha vazia no fim do arquivo: não é um registro"
                                             : u"linha vazia: não é um registro");
                continue;
            }
            // A text with a line break inside a record of fixed width (it
            // ends in a closing mark): the record runs on to the next lines.
            if (larguraFixa > 0 && linha.Texto.size() < static_cast<size_t>(larguraFixa)) {
                size_t j = i, largura = linha.Texto.size();
                while (largura < static_cast<size_t>(larguraFixa) && j + 1 < linhas.size())
                    largura += 2 + linhas[++j].Texto.size();
                if (largura == static_cast<size_t>(larguraFixa) && j > i) {
                    linha.Texto = std::u16string_view(linha.Texto.data(), largura);
                    Achar(TGravidade::Aviso, nome, linha.Numero, 0,
                          u"um texto com quebra de linha continua o registro nas " + NumeroEmTexto(static_cast<int64_t>(j - i)) +
                              u" linhas seguintes");
                    i = j;
                }
            }
            // A record closed by a mark but short of its width: a character
            // outside the basic plane of its text became one "?" in the file.
            const std::span<const TCampo> campos = AArquivo.Registros[0].Campos;
            if (larguraFixa > 0 && linha.Texto.size() < static_cast<size_t>(larguraFixa) && campos.size() > 1 &&
                campos.back().Tipo == TTipoCampo::Fixo && campos[campos.size() - 2].Tipo == TTipoCampo::Texto &&
                linha.Texto.ends_with(campos.back().Fixo) &&
                linha.Texto.size() + static_cast<size_t>(campos[campos.size() - 2].Largura) > static_cast<size_t>(larguraFixa)) {
                const size_t falta = static_cast<size_t>(larguraFixa) - linha.Texto.size();
                const std::u16string_view marca = campos.back().Fixo;
                linha.Texto = FTextos.emplace_back(Texto(linha.Texto.substr(0, linha.Texto.size() - marca.size())) +
                                                   Texto(falta, u' ') + Texto(marca));
                Achar(TGravidade::Aviso, nome, linha.Numero, 0,
                      u"a linha tem " + NumeroEmTexto(static_cast<int64_t>(falta)) +
                          u" caractere(s) a menos: o texto tinha caracteres fora do plano básico (emojis, por exemplo), "
                          u"gravados cada um como um \"?\" só");
            }
            // A record that ends after its last "|" mark.
            if (finalAposListas.Completar(linha.Texto, normalizada)) {
                linha.Texto = FTextos.emplace_back(normalizada);
                semFinal.Contar(linha.Numero);
            }
            // The record without its last columns, in zeros (the file's form).
            if (formaSemFim.Completar(linha.Texto, normalizada)) {
                linha.Texto = FTextos.emplace_back(normalizada);
                semFim.Contar(linha.Numero);
            }
            // A line that stops inside the texts that end the record: its
            // trailing spaces were trimmed. The text there is kept.
            if (textoFinal >= 0 && linha.Texto.size() >= static_cast<size_t>(textoFinal) &&
                linha.Texto.size() < static_cast<size_t>(larguraFixa)) {
                linha.Texto = FTextos.emplace_back(Texto(linha.Texto) +
                                                   Texto(static_cast<size_t>(larguraFixa) - linha.Texto.size(), u' '));
                curtas.Contar(linha.Numero);
            }
            TRegistroLido r;
            if (!LerComLayout(AArquivo.Registros, linha, r, FCampos)) {
                Achar(TGravidade::Erro, nome, linha.Numero, 1, u"registro de tipo desconhecido");
                continue;
            }
            Auditar(nome, r, FCampos);
            if (itens)
                Item(r, FCampos);
            else
                registros.push_back(r);
        }
        if (semFinal.Quantidade > 0)
            Achar(TGravidade::Aviso, nome, semFinal.Primeira, 0,
                  Plural(semFinal.Quantidade, u"registro termina", u"registros terminam") + u" depois do último \"|\", sem " +
                      finalAposListas.NomesDoFinal() + u": lidos com esses campos em zeros, que uma nova geração grava");
        if (FListaSemSetor.Quantidade > 0)
            Achar(TGravidade::Aviso, nome, FListaSemSetor.Primeira, 0,
                  Plural(FListaSemSetor.Quantidade, u"registro tem", u"registros têm") +
                      u" a lista de departamentos vazia, mas um departamento no início: uma nova geração grava esse "
                      u"departamento na lista");
        if (FListaZero.Quantidade > 0)
            Achar(TGravidade::Aviso, nome, FListaZero.Primeira, 0,
                  Plural(FListaZero.Quantidade, u"linha do departamento 00 de um item de outro departamento tem",
                         u"linhas do departamento 00 de um item de outro departamento têm") +
                      u" a lista de departamentos \"00\": uma nova geração grava essas linhas com a lista vazia");
        if (semFim.Quantidade > 0)
            Achar(TGravidade::Aviso, nome, semFim.Primeira, 0,
                  Plural(semFim.Quantidade, u"registro tem ", u"registros têm ") +
                      NumeroEmTexto(formaSemFim.Largura() - formaSemFim.Falta()) + u" caracteres: o registro de " +
                      NumeroEmTexto(formaSemFim.Largura()) + u" sem as suas " + NumeroEmTexto(formaSemFim.Falta()) +
                      u" últimas colunas, as do fim do campo " + formaSemFim.NomeDoCampo() +
                      u", que é de zeros: lidos com essas colunas em zeros, que uma nova geração grava");
        if (curtas.Quantidade > 0)
            Achar(TGravidade::Aviso, nome, curtas.Primeira, 0,
                  Plural(curtas.Quantidade, u"linha termina", u"linhas terminam") + u" antes das " + NumeroEmTexto(larguraFixa) +
                      u" colunas do registro, no texto final (os espaços do fim foram cortados): o texto que há é "
                      u"mantido");
        FListaSemSetor = FListaZero = {};
    }

    // A file not in Windows-1252, the scales' encoding, says how it was read.
    void AvisarCodificacao(std::u16string_view ANome, TCodificacaoCarga ACodificacao) {
        switch (ACodificacao) {
            case TCodificacaoCarga::Windows1252:
                return;
            case TCodificacaoCarga::Utf8ComMarcaInvalido:
                Achar(TGravidade::Erro, ANome, 0, 0, u"o arquivo começa com a marca de UTF-8, mas não é UTF-8 válido");
                return;
            case TCodificacaoCarga::Utf8:
            case TCodificacaoCarga::Utf8ComMarca:
                Achar(TGravidade::Aviso, ANome, 0, 0,
                      Texto(u"o arquivo está em UTF-8 (") +
                          (ACodificacao == TCodificacaoCarga::Utf8 ? u"sem" : u"com") +
                          u" marca de ordem de bytes), não em Windows-1252, como as balanças o leem: lido como "
                          u"UTF-8; uma nova geração grava Windows-1252");
                return;
        }
    }

    // The faults of a record's characters.
    void Auditar(std::u16string_view AArquivo, const TRegistroLido& r, const std::vector<TCampoLido>& ALidos) {
        if (!r.LarguraCerta) {
            const int32_t fixa = LarguraFixa(r.Layout->Campos);
            const int32_t minima = Largura(r.Layout->Campos);
            const size_t coluna = std::min(r.Texto.size(), static_cast<size_t>(minima)) + 1;
            Achar(TGravidade::Erro, AArquivo, r.Linha, coluna,
                  u"a linha tem " + NumeroEmTexto(static_cast<int64_t>(r.Texto.size())) + u" caracteres; o registro " +
                      DeUtf8(r.Layout->Nome) + (fixa >= 0 ? u" tem " : u" tem ao menos ") + NumeroEmTexto(minima) +
                      (fixa >= 0 ? CampoDeslocado(r.Layout->Campos, r.Texto, static_cast<int64_t>(r.Texto.size()) - fixa)
                                 : DeslocadoEmRegistroVariavel(r)));
        }
        for (const TCampoLido& l : ALidos) {
            if (l.Valido) continue;
            const TCampo& f = *l.Campo;
            const Texto campo = u"campo " + NomeNaMensagem(f, l.Coluna) + u": ";
            const Texto escrito = CitarValor(l.Texto);
            switch (f.Tipo) {
                case TTipoCampo::Codigo:
                    Achar(TGravidade::Erro, AArquivo, r.Linha, l.Coluna, campo + escrito + u" não é um código deste campo");
                    break;
                case TTipoCampo::Coluna:
                    Achar(TGravidade::Erro, AArquivo, r.Linha, l.Coluna,
                          campo + escrito + (f.Codigos.empty() ? u" não são só dígitos e espaços" : u" não é um código deste campo") +
                              u": o valor não é lido, e uma nova geração grava " + CitarValor(f.Fixo));
                    break;
                case TTipoCampo::Fixo:
                    Achar(TGravidade::Erro, AArquivo, r.Linha, l.Coluna,
                          campo + u"esperado " + CitarValor(f.Fixo) + u", encontrado " + escrito);
                    break;
                case TTipoCampo::Lista:
                    Achar(TGravidade::Erro, AArquivo, r.Linha, l.Coluna,
                          campo + escrito +
                              (f.Entrada > 0 ? u" não é uma lista de códigos de " + NumeroEmTexto(f.Entrada) + u" dígitos"
                                             : Texto(u" não é uma lista de dígitos")) +
                              u": a lista não é lida");
                    break;
                case TTipoCampo::Soma: {
                    // A character without a byte in the code page was written
                    // as "?", and the sum counts the character itself.
                    const bool interrogacao = r.Texto.substr(0, l.Coluna - 1).find(u'?') != std::u16string_view::npos;
                    Achar(interrogacao ? TGravidade::Aviso : TGravidade::Erro, AArquivo, r.Linha, l.Coluna,
                          u"soma de verificação " + escrito + u" não confere com os caracteres do registro" +
                              (interrogacao ? u" (o registro tem \"?\" no lugar de um caractere que a página de código "
                                              u"não tem; a soma conta o caractere original)"
                                            : u""));
                    break;
                }
                default:
                    Achar(TGravidade::Erro, AArquivo, r.Linha, l.Coluna, campo + escrito + u" não é um número");
                    break;
            }
        }
    }

    // The same for a layout that widens (MGV7's lists): the shift is not
    // known, so a few are tried, on the first lines of a file only.
    Texto DeslocadoEmRegistroVariavel(const TRegistroLido& r) {
        if (FTentativasDeslocamento == 0) return {};
        --FTentativasDeslocamento;
        const TFinalAposListas final(r.Layout->Campos);
        for (int64_t folga = 1; folga <= 40; ++folga)
            for (const int64_t f : {-folga, folga}) {
                Texto dica = CampoDeslocado(r.Layout->Campos, r.Texto, f, final.Ativo() ? &final : nullptr);
                if (!dica.empty()) return dica;
            }
        return {};
    }

    // Sets on AItem the values of the record r that it has not got yet.
    void Aplicar(const TRegistroLido& r, const std::vector<TCampoLido>& ALidos, TItemLido& AItem) {
        TQuelbCargaBalItem& item = *AItem.Item;
        for (const TCampoLido& l : ALidos) {
            const TCampo& f = *l.Campo;
            if (f.Tipo == TTipoCampo::Posicao && l.Valido) {
                const auto posicao = static_cast<int64_t>(&AItem - FLidos.data()) + 1;
                if (l.Numero != posicao)
                    Achar(TGravidade::Aviso, FArquivoAtual, r.Linha, l.Coluna,
                          u"o número " + NumeroEmTexto(l.Numero) + u" não é a posição do item na carga (" + NumeroEmTexto(posicao) +
                              u"); uma nova geração grava " + NumeroEmTexto(posicao));
            }
            if (f.Propriedade != nullptr && !l.Valido)
                FResultado.NaoLidos.emplace_back(FPrimeiroItem + static_cast<int32_t>(&AItem - FLidos.data()),
                                                 IndiceDe(f.Propriedade));
            if (f.Propriedade == nullptr || !l.Valido) continue;
            // A field wider than its property's integer (the validity of
            // URF32, five digits, into 16 bits).
            if (!CabeNaPropriedade(*f.Propriedade, l.Numero)) {
                Achar(TGravidade::Erro, FArquivoAtual, r.Linha, l.Coluna,
                      u"campo " + NomeNaMensagem(f, l.Coluna) + u": " + NumeroEmTexto(l.Numero) + u" não cabe em " +
                          DeUtf8(f.Propriedade->Nome) +
                          (f.Propriedade->Tipo == TTipoPropriedade::Inteiro16 ? u", inteiro de 16 bits"
                                                                              : u", inteiro de 32 bits"));
                continue;
            }
            const size_t indice = IndiceDe(f.Propriedade);
            const TPropriedade& p = *f.Propriedade;
            if (f.Tipo == TTipoCampo::Texto && f.Inicio > 0) {
                // The rest of a text that an earlier field of the record began.
                Texto t(p.Texto(item));
                t.resize(static_cast<size_t>(f.Inicio), u' ');
                t += l.Texto;
                p.DefinirTexto(item, SemEnchimento(t, u' ', false));
                continue;
            }
            if (AItem.Definidas[indice]) continue;
            switch (f.Tipo) {
                case TTipoCampo::Texto:
                    p.DefinirTexto(item, SemEnchimento(l.Texto, u' ', false));
                    break;
                case TTipoCampo::TextoADireita:
                    p.DefinirTexto(item, SemEnchimento(l.Texto, f.Enchimento, true));
                    break;
                case TTipoCampo::NumeroSePositivo:
                    if (l.Texto.empty()) continue;  // not written: nothing said
                    p.DefinirNumero(item, l.Numero);
                    break;
                case TTipoCampo::Coluna:
                    // The usual constant stays the empty text, which writes it.
                    if (l.Texto != f.Fixo) p.DefinirTexto(item, l.Texto);
                    break;
                case TTipoCampo::Lista:
                    // So does the usual list (the item's department): an
                    // empty list where that is not empty cannot be said.
                    if (l.Texto != ListaPadrao(f, item)) {
                        if (!l.Texto.empty()) p.DefinirTexto(item, l.Texto);
                        else FListaSemSetor.Contar(r.Linha);
                    }
                    break;
                default:
                    p.DefinirNumero(item, l.Numero);
                    break;
            }
            AItem.Definidas[indice] = true;
            item.Ausentes.reset(indice);
        }
        GarantirPresenca(*r.Layout, item);
    }

    static std::u16string_view SemEnchimento(std::u16string_view ATexto, char16_t AEnchimento, bool AEsquerda) {
        if (AEsquerda) {
            const size_t i = ATexto.find_first_not_of(AEnchimento);
            return i == std::u16string_view::npos ? std::u16string_view() : ATexto.substr(i);
        }
        const size_t i = ATexto.find_last_not_of(AEnchimento);
        return i == std::u16string_view::npos ? std::u16string_view() : ATexto.substr(0, i + 1);
    }

    // The fields of a record kept, read again.
    static std::vector<TCampoLido> Campos(const TRegistroLido& r) {
        std::vector<TCampoLido> lidos;
        LerRegistro(r.Layout->Campos, r.Texto, lidos);
        return lidos;
    }
    static const TCampoLido* CampoDe(const std::vector<TCampoLido>& ALidos, std::string_view APropriedade) {
        for (const TCampoLido& l : ALidos)
            if (l.Campo->Propriedade != nullptr && l.Campo->Propriedade->Nome == APropriedade) return &l;
        return nullptr;
    }
    static const TCampoLido* CampoChamado(const std::vector<TCampoLido>& ALidos, std::string_view ANome) {
        for (const TCampoLido& l : ALidos)
            if (l.Campo->Nome == ANome) return &l;
        return nullptr;
    }

    // A record of the item file: an item per record of its first layout;
    // its other records (Urano's nutrition and recipe) belong to the item
    // before them.
    void Item(const TRegistroLido& r, const std::vector<TCampoLido>& ALidos) {
        const TArquivoModelo& arquivo = FModelo.Arquivos[0];
        if (r.Layout == &arquivo.Registros[0]) {
            ConferirSequencia();
            FSequencia.clear();
            FSequencia.push_back({r.Layout, r.Linha});
            FLidos.push_back({&FItens.New(), r.Linha, {}, r.Texto});
            FLidos.back().Item->Ausentes.set();  // until a record gives them
            Aplicar(r, ALidos, FLidos.back());
            const int64_t codigo = FLidos.back().Item->Codigo;
            const auto [primeiro, novo] = FPorCodigo.try_emplace(codigo, FLidos.size() - 1);
            if (novo) return;
            const TItemLido& anterior = FLidos[primeiro->second];
            if (arquivo.Registros.size() == 1 && SoOSetorMuda(r.Layout->Campos, anterior.Registro, r.Texto)) {
                // The same product listed under another department: one
                // item, with that department among its others.
                TTextoItem& outros = FLidos[primeiro->second].Item->Toledo.Local(TQuelbCargaBalColunasToledo::OutrosDepartamentos);
                outros = outros.Utf16() + NumeroComZeros(FLidos.back().Item->Setor.Codigo, 2);
                FLidos[primeiro->second].Item->Ausentes.reset(IndiceOutrosDepartamentos);
                for (const TCampoLido& l : ALidos)
                    if (!l.Texto.empty() && ListaDoProprioSetor(l, *FLidos.back().Item) && FLidos.back().Item->Setor.Codigo == 0)
                        FListaZero.Contar(r.Linha);
                const auto posicao = FPrimeiroItem + static_cast<int32_t>(FLidos.size() - 1);
                while (!FResultado.NaoLidos.empty() && FResultado.NaoLidos.back().first == posicao)
                    FResultado.NaoLidos.pop_back();
                FLidos.pop_back();
                FItens.Truncar(FItens.Count() - 1);
                return;
            }
            Achar(TGravidade::Erro, arquivo.Nome, r.Linha, ColunaDe(ALidos, "Codigo"),
                  u"o código " + NumeroEmTexto(codigo) + u" repete o do item da linha " +
                      NumeroEmTexto(static_cast<int64_t>(anterior.Linha)));
        } else if (FLidos.empty()) {
            Achar(TGravidade::Erro, arquivo.Nome, r.Linha, 1,
                  u"registro " + DeUtf8(r.Layout->Nome) + u" antes do primeiro registro de item");
        } else {
            const TCampoLido* codigo = CampoDe(ALidos, "Codigo");
            if (codigo != nullptr && codigo->Valido &&
                !MesmoCodigo(codigo->Texto, *codigo->Campo, FLidos.back().Item->Codigo))
                Achar(TGravidade::Erro, arquivo.Nome, r.Linha, codigo->Coluna,
                      u"o registro " + DeUtf8(r.Layout->Nome) + u" tem o código " + NumeroEmTexto(codigo->Numero) +
                          u", mas segue o item de código " + NumeroEmTexto(FLidos.back().Item->Codigo));
            Aplicar(r, ALidos, FLidos.back());
            FSequencia.push_back({r.Layout, r.Linha});
        }
    }

    // Whether two records of one layout differ only in the department: its
    // field, and the MGV7 department list where that holds the record's own
    // department (the usual list). A value that one of them has unreadable
    // is not known to differ: the finding about it is said apart.
    static bool SoOSetorMuda(std::span<const TCampo> ACampos, std::u16string_view A, std::u16string_view B) {
        if (A == B) return false;
        std::vector<TCampoLido> a, b;
        LerRegistro(ACampos, A, a);
        LerRegistro(ACampos, B, b);
        if (a.size() != b.size()) return false;
        const TQuelbCargaBalItem departamentoA = Departamento(a), departamentoB = Departamento(b);
        for (size_t i = 0; i < a.size(); ++i) {
            if (EDoSetor(*a[i].Campo) || !a[i].Valido || !b[i].Valido) continue;
            const bool propriaA = ListaDoProprioSetor(a[i], departamentoA);
            if (propriaA != ListaDoProprioSetor(b[i], departamentoB)) return false;
            if (!propriaA && a[i].Texto != b[i].Texto) return false;
        }
        return true;
    }
    // An item of the department that the fields of a record read.
    static TQuelbCargaBalItem Departamento(const std::vector<TCampoLido>& ALidos) {
        TQuelbCargaBalItem r;
        for (const TCampoLido& l : ALidos)
            if (EDoSetor(*l.Campo) && l.Valido) r.Setor.Codigo = static_cast<int32_t>(l.Numero);
        return r;
    }
    static bool EDoSetor(const TCampo& f) { return f.Propriedade != nullptr && f.Propriedade->Nome == "Setor.Codigo"; }
    // A department list that holds just the record's own department: the
    // usual list, or "00" on a record of department 00 (which is written
    // as an empty list).
    static bool ListaDoProprioSetor(const TCampoLido& l, const TQuelbCargaBalItem& ADepartamento) {
        if (l.Campo->Tipo != TTipoCampo::Lista || l.Campo->Padrao == nullptr) return false;
        return l.Texto == ListaPadrao(*l.Campo, ADepartamento) ||
               (ADepartamento.Setor.Codigo == 0 && l.Texto == u"00");
    }

    // Sees which records of the item file the model's writer makes.
    class TRegistrosDoItem final : public TObservadorRegistros {
    public:
        std::vector<const TCampo*> Layouts;
        bool Registro(TConteudoArquivo AConteudo, const TLayoutRegistro& ALayout, const TOrigem&, bool) override {
            if (AConteudo == TConteudoArquivo::Itens) Layouts.push_back(ALayout.Campos.data());
            return true;
        }
    };

    // The records of the last item read, where the item file has records of
    // several kinds (Urano): those the writer makes for the item, in order
    // (a recipe after a nutrition record has a layout of its own).
    void ConferirSequencia() {
        if (FModelo.Arquivos[0].Registros.size() < 2 || FSequencia.empty()) return;
        TRegistrosDoItem registros;
        TCarga carga(plataforma::FormatoNumerico(), registros);
        TQuelbCargaBalItem& item = *FLidos.back().Item;
        const TGuardaAcertos guarda(item);
        FModelo.CriarEscritor(carga)->Escrever(item, static_cast<int32_t>(FLidos.size()));
        const std::vector<const TCampo*>& esperados = registros.Layouts;
        for (size_t i = 0; i < std::max(esperados.size(), FSequencia.size()); ++i) {
            const TCampo* lido = i < FSequencia.size() ? FSequencia[i].first->Campos.data() : nullptr;
            if (i < esperados.size() && esperados[i] == lido) continue;
            const uint64_t linha = i < FSequencia.size() ? FSequencia[i].second : FSequencia.back().second;
            Achar(TGravidade::Erro, FModelo.Arquivos[0].Nome, linha, 1,
                  u"o item da linha " + NumeroEmTexto(static_cast<int64_t>(FSequencia[0].second)) + u" teria aqui " +
                      (i < esperados.size() ? u"o registro " + NomeDoLayout(esperados[i]) : Texto(u"nenhum registro")) +
                      u", não " + (lido != nullptr ? u"o registro " + NomeDoLayout(lido) : Texto(u"o fim dos seus registros")));
            return;
        }
    }
    Texto NomeDoLayout(const TCampo* ACampos) const {
        for (const TLayoutRegistro& l : FModelo.Arquivos[0].Registros)
            if (l.Campos.data() == ACampos) return DeUtf8(l.Nome);
        return u"?";
    }

    // Whether a code field shows ACodigo, as cut to its width.
    static bool MesmoCodigo(std::u16string_view AEscrito, const TCampo& ACampo, int64_t ACodigo) {
        const Texto inteiro = NumeroEmTexto(ACodigo);
        if (inteiro.size() >= static_cast<size_t>(ACampo.Largura))
            return SemEnchimento(AEscrito, ACampo.Enchimento, true) ==
                   std::u16string_view(inteiro).substr(0, static_cast<size_t>(ACampo.Largura));
        int64_t lido = 0;
        for (const char16_t c : AEscrito)
            if (c >= u'0' && c <= u'9') lido = lido * 10 + (c - u'0');
        return (AEscrito.find(u'-') != std::u16string_view::npos ? -lido : lido) == ACodigo;
    }

    static size_t ColunaDe(const std::vector<TCampoLido>& ALidos, std::string_view APropriedade) {
        const TCampoLido* l = CampoDe(ALidos, APropriedade);
        return l != nullptr ? l->Coluna : 1;
    }

    // The column of the item record's field of APropriedade, for an item read.
    size_t ColunaNoItem(std::string_view APropriedade) const {
        size_t coluna = 1;
        for (const TCampo& f : FModelo.Arquivos[0].Registros[0].Campos) {
            if (f.Propriedade != nullptr && f.Propriedade->Nome == APropriedade) return coluna;
            coluna += static_cast<size_t>(f.Largura);
        }
        return 1;
    }

    // The records of another file, joined to their items.
    void Juntar(const TArquivoModelo& AArquivo, const std::vector<TRegistroLido>& ARegistros) {
        FArquivoAtual = AArquivo.Nome;
        if (AArquivo.Conteudo == TConteudoArquivo::ProdutosNutricional ||
            AArquivo.Conteudo == TConteudoArquivo::ProdutosReceita) {
            JuntarVinculos(AArquivo, ARegistros);
            return;
        }
        // URF32's recipes: each recipe line goes with the product-recipe
        // link of the same place, which names its item in full.
        const TArquivoModelo* vinculos = FModelo.Arquivo(TConteudoArquivo::ProdutosReceita);
        if (AArquivo.Conteudo == TConteudoArquivo::InformacaoExtra && vinculos != nullptr) {
            const std::vector<TRegistroLido>& v = FRegistros[PosicaoArquivo(*vinculos)];
            for (size_t k = 0; k < ARegistros.size(); ++k) {
                const std::vector<TCampoLido> vinculo = k < v.size() ? Campos(v[k]) : std::vector<TCampoLido>();
                const TCampoLido* codigo = CampoDe(vinculo, "Codigo");
                if (codigo == nullptr || !codigo->Valido) {
                    Achar(TGravidade::Erro, AArquivo.Nome, ARegistros[k].Linha, 1,
                          u"a receita não tem vínculo na linha " + NumeroEmTexto(static_cast<int64_t>(k + 1)) + u" de " +
                              Texto(vinculos->Nome));
                    continue;
                }
                JuntarPorCodigo(ARegistros[k], codigo->Numero, vinculos->Nome, v[k].Linha, codigo->Coluna);
            }
            return;
        }
        if (ARegistros.empty()) {
            FaltasPorChave(AArquivo);
            return;
        }
        const TLayoutRegistro& layout = *ARegistros[0].Layout;
        const std::vector<TCampoLido> primeiro = Campos(ARegistros[0]);
        const TCampoLido* chave = CampoChamado(primeiro, layout.Chave);
        const std::string_view propriedadeChave =
            chave != nullptr && chave->Campo->Propriedade != nullptr ? chave->Campo->Propriedade->Nome : "";
        // Records that name their item by its code (Filizola, URF32).
        if (CampoDe(primeiro, "Codigo") != nullptr) {
            std::unordered_map<int64_t, uint64_t> vistos;
            for (const TRegistroLido& r : ARegistros) {
                const std::vector<TCampoLido> lidos = Campos(r);
                const TCampoLido* codigo = CampoDe(lidos, "Codigo");
                if (codigo == nullptr || !codigo->Valido) continue;
                const auto [primeiro, novo] = vistos.try_emplace(codigo->Numero, r.Linha);
                if (!novo) {
                    Achar(TGravidade::Erro, AArquivo.Nome, r.Linha, codigo->Coluna,
                          u"o item de código " + NumeroEmTexto(codigo->Numero) + u" já tem um registro na linha " +
                              NumeroEmTexto(static_cast<int64_t>(primeiro->second)));
                    continue;
                }
                JuntarPorCodigo(r, codigo->Numero, AArquivo.Nome, r.Linha, codigo->Coluna);
            }
            // Items without a record here: a load leaves their record to the
            // scale software when it was not given; said once.
            if (AArquivo.Conteudo == TConteudoArquivo::Nutricional && FModelo.Arquivo(TConteudoArquivo::ProdutosNutricional)) {
                size_t sem = 0;
                const TItemLido* primeiro = nullptr;
                for (const TItemLido& i : FLidos)
                    if (!vistos.count(i.Item->Codigo) && sem++ == 0) primeiro = &i;
                if (sem > 0)
                    Achar(TGravidade::Aviso, FModelo.Arquivos[0].Nome, primeiro->Linha, ColunaNoItem("Codigo"),
                          Plural(sem, u"item não tem", u"itens não têm") +
                              u" registro em " + Texto(AArquivo.Nome) + u" (o primeiro, o de código " +
                              NumeroEmTexto(primeiro->Item->Codigo) +
                              u"): a informação nutricional deles fica fora do catálogo, e valem os registros que o "
                              u"programa da balança já tem");
            }
            return;
        }
        if (propriedadeChave.empty()) return;
        // Records keyed by a code that the item record shows (MGV: sector,
        // nutrition, extra information).
        if (FModelo.ItemMostra(propriedadeChave)) {
            JuntarPorChave(AArquivo, ARegistros, Propriedade(propriedadeChave));
            return;
        }
        // A reference the item record does not show (MGV5 version 1 has no
        // tare code): the records go to the items in order all the same.
        const TReferencia* referencia = nullptr;
        for (const TReferencia& ref : Referencias)
            if (ref.Arquivo == AArquivo.Conteudo && FModelo.ItemMostra(ref.Propriedade)) referencia = &ref;
        Distribuir(AArquivo, ARegistros, referencia);
    }

    void JuntarPorCodigo(const TRegistroLido& r, int64_t ACodigo,
                         std::u16string_view AOnde, uint64_t ALinha, size_t AColuna) {
        const auto item = FPorCodigo.find(ACodigo);
        if (item == FPorCodigo.end()) {
            Achar(TGravidade::Erro, AOnde, ALinha, AColuna,
                  u"nenhum item tem o código " + NumeroEmTexto(ACodigo) + u" (em " + Texto(FModelo.Arquivos[0].Nome) + u")");
            return;
        }
        Aplicar(r, Campos(r), FLidos[item->second]);
    }

    // Duplicate keys in a file of records without repeats.
    std::unordered_map<int64_t, size_t> Indexar(const TArquivoModelo& AArquivo, const std::vector<TRegistroLido>& ARegistros) {
        std::unordered_map<int64_t, size_t> porChave;
        for (size_t k = 0; k < ARegistros.size(); ++k) {
            const TRegistroLido& r = ARegistros[k];
            const std::vector<TCampoLido> lidos = Campos(r);
            const TCampoLido* chave = CampoChamado(lidos, r.Layout->Chave);
            if (chave == nullptr || !chave->Valido) continue;
            // The extra information of an item of code 0 takes code 0.
            const bool zeroDoItem = chave->Numero == 0 && AArquivo.Conteudo == TConteudoArquivo::InformacaoExtra;
            if (chave->Numero <= 0 && !zeroDoItem)
                Achar(TGravidade::Erro, AArquivo.Nome, r.Linha, chave->Coluna,
                      u"o código " + NumeroEmTexto(chave->Numero) + u" não é positivo: este registro não é gravado assim");
            const auto [primeiro, novo] = porChave.try_emplace(chave->Numero, k);
            if (!novo)
                Achar(TGravidade::Erro, AArquivo.Nome, r.Linha, chave->Coluna,
                      u"o código " + NumeroEmTexto(chave->Numero) + u" já tem um registro na linha " +
                          NumeroEmTexto(static_cast<int64_t>(ARegistros[primeiro->second].Linha)));
        }
        return porChave;
    }

    void JuntarPorChave(const TArquivoModelo& AArquivo, const std::vector<TRegistroLido>& ARegistros,
                        const TPropriedade& AChave) {
        const std::unordered_map<int64_t, size_t> porChave = Indexar(AArquivo, ARegistros);
        std::vector<bool> usados(ARegistros.size(), false);
        TSemRegistro sem;
        for (TItemLido& i : FLidos) {
            const int64_t codigo = AChave.Numero(*i.Item);
            if (codigo < 0 || (codigo == 0 && (i.Item->Codigo != 0 || !porChave.count(0)))) continue;
            const auto r = porChave.find(codigo);
            if (r == porChave.end()) {
                sem.Contar(i.Linha, codigo);
                continue;
            }
            usados[r->second] = true;
            Aplicar(ARegistros[r->second], Campos(ARegistros[r->second]), i);
        }
        for (size_t k = 0; k < ARegistros.size(); ++k)
            if (!usados[k])
                Achar(TGravidade::Aviso, AArquivo.Nome, ARegistros[k].Linha, 1,
                      u"nenhum item usa este registro; ele fica fora do catálogo");
        AvisarSemRegistro(AArquivo, AChave.Nome, sem);
    }

    // The codes the items cite that have no record in a file of the folder.
    // A load leaves to the scale software the records whose content it was
    // not given: said once per file, and the codes stay in the catalogue.
    struct TSemRegistro {
        size_t Itens = 0;
        std::unordered_set<int64_t> Codigos;
        uint64_t Linha = 0;  // of the first item
        int64_t Primeiro = 0;
        void Contar(uint64_t ALinha, int64_t ACodigo) {
            if (Itens++ == 0) {
                Linha = ALinha;
                Primeiro = ACodigo;
            }
            Codigos.insert(ACodigo);
        }
    };
    void AvisarSemRegistro(const TArquivoModelo& AArquivo, std::string_view APropriedade, const TSemRegistro& ASem) {
        if (ASem.Itens == 0) return;
        Achar(TGravidade::Aviso, FModelo.Arquivos[0].Nome, ASem.Linha, ColunaNoItem(APropriedade),
              DeUtf8(APropriedade) + u": " +
                  Plural(ASem.Itens, u"item cita", u"itens citam") +
                  u" " +
                  Plural(ASem.Codigos.size(), u"código", u"códigos") +
                  u" sem registro em " + Texto(AArquivo.Nome) + u" (o primeiro, " + NumeroEmTexto(ASem.Primeiro) +
                  u"); os códigos ficam no catálogo, e os registros são os que o programa da balança já tem");
    }

    // Records keyed by a code of their own, which the item names by another
    // property (tare and supplier). Each item takes the record its code
    // names, as long as the records come out in the file's order: the first
    // item to carry a record writes it. Where an item cannot take its record
    // without putting it out of order, it takes none; a record that no item
    // names goes to the earliest item that keeps the order.
    void Distribuir(const TArquivoModelo& AArquivo, const std::vector<TRegistroLido>& ATodos, const TReferencia* ARef) {
        Indexar(AArquivo, ATodos);  // the repeated and non-positive codes
        // A record without a positive code is never written: no item takes it.
        std::vector<TRegistroLido> registros;
        std::unordered_map<int64_t, size_t> porChave;
        for (const TRegistroLido& r : ATodos) {
            const std::vector<TCampoLido> lidos = Campos(r);
            const TCampoLido* chave = CampoChamado(lidos, r.Layout->Chave);
            if (chave == nullptr || !chave->Valido || chave->Numero <= 0) {
                Achar(TGravidade::Aviso, AArquivo.Nome, r.Linha, 1, u"o registro não tem código válido; ele fica fora do catálogo");
                continue;
            }
            porChave.try_emplace(chave->Numero, registros.size());
            registros.push_back(r);
        }
        const size_t n = FLidos.size(), m = registros.size();
        std::vector<int64_t> preferido(n, -1);
        std::vector<std::vector<size_t>> itensDe(m);
        TSemRegistro sem;
        for (size_t i = 0; i < n && ARef != nullptr; ++i) {
            const int64_t codigo = Propriedade(ARef->Propriedade).Numero(*FLidos[i].Item);
            if (codigo == 0) continue;
            const auto r = porChave.find(codigo);
            if (r == porChave.end()) {
                sem.Contar(FLidos[i].Linha, codigo);
                continue;
            }
            preferido[i] = static_cast<int64_t>(r->second);
            itensDe[r->second].push_back(i);
        }
        std::vector<size_t> proximo(m, 0);  // in itensDe: the next item that names the record
        size_t p = 0;                       // the next record to come out
        for (size_t i = 0; i < n; ++i) {
            const int64_t q = preferido[i];
            if (q >= 0) ++proximo[static_cast<size_t>(q)];
            // As many records left as items: each item writes the next one.
            const bool faltamItens = p < m && n - i <= m - p;
            if (!faltamItens && q >= 0 && static_cast<size_t>(q) < p) {
                const TRegistroLido& r = registros[static_cast<size_t>(q)];
                Aplicar(r, Campos(r), FLidos[i]);  // written already: an equal line is dropped
            } else if (p < m && (faltamItens || q == static_cast<int64_t>(p) || proximo[p] == itensDe[p].size())) {
                Aplicar(registros[p], Campos(registros[p]), FLidos[i]);
                ++p;
            }
        }
        for (; p < m; ++p)
            Achar(TGravidade::Aviso, AArquivo.Nome, registros[p].Linha, 1,
                  u"não há itens que bastem para este registro; ele fica fora do catálogo");
        if (ARef != nullptr) AvisarSemRegistro(AArquivo, ARef->Propriedade, sem);
    }

    // URF32's links: one per item with a portion (nutrition) or per recipe
    // line (recipes), naming the item.
    void JuntarVinculos(const TArquivoModelo& AArquivo, const std::vector<TRegistroLido>& ARegistros) {
        std::unordered_map<int64_t, bool> ligados;
        for (const TRegistroLido& r : ARegistros) {
            const std::vector<TCampoLido> lidos = Campos(r);
            const TCampoLido* codigo = CampoDe(lidos, "Codigo");
            if (codigo == nullptr || !codigo->Valido) continue;
            const TCampoLido* vinculado = CampoChamado(lidos, "codigo_vinculado");
            if (vinculado != nullptr && vinculado->Valido && !MesmoCodigo(vinculado->Texto, *vinculado->Campo, codigo->Numero))
                Achar(TGravidade::Erro, AArquivo.Nome, r.Linha, vinculado->Coluna,
                      u"o vínculo liga o item " + NumeroEmTexto(codigo->Numero) + u" ao registro " + NumeroEmTexto(vinculado->Numero) +
                          u"; os registros desta carga têm o código do item");
            const auto item = FPorCodigo.find(codigo->Numero);
            if (item == FPorCodigo.end()) {
                Achar(TGravidade::Erro, AArquivo.Nome, r.Linha, codigo->Coluna,
                      u"nenhum item tem o código " + NumeroEmTexto(codigo->Numero) + u" (em " + Texto(FModelo.Arquivos[0].Nome) +
                          u")");
                continue;
            }
            ligados[codigo->Numero] = true;
            if (AArquivo.Conteudo == TConteudoArquivo::ProdutosNutricional && FLidos[item->second].Item->Nutricional.Qtd <= 0)
                Achar(TGravidade::Erro, AArquivo.Nome, r.Linha, 1,
                      u"o item " + NumeroEmTexto(codigo->Numero) + u" tem vínculo, mas a sua porção não passa de 0");
        }
        if (AArquivo.Conteudo != TConteudoArquivo::ProdutosNutricional) return;
        for (const TItemLido& i : FLidos)
            if (i.Item->Nutricional.Qtd > 0 && !ligados.count(i.Item->Codigo))
                Achar(TGravidade::Erro, AArquivo.Nome, 0, 0,
                      u"o item " + NumeroEmTexto(i.Item->Codigo) + u" tem porção, mas nenhum vínculo neste arquivo");
    }

    // A file without records: the codes of the items that name its records.
    // A file that is not in the folder at all is usual (stores send the item
    // file alone, the scale software keeps the other records): one aviso.
    void FaltasPorChave(const TArquivoModelo& AArquivo) {
        const TLayoutRegistro& layout = AArquivo.Registros[0];
        for (const TCampo& f : layout.Campos) {
            if (f.Nome != layout.Chave || f.Propriedade == nullptr) continue;
            if (f.Propriedade->Nome == "Codigo" || !FModelo.ItemMostra(f.Propriedade->Nome)) return;
            if (!FPresentes[PosicaoArquivo(AArquivo)]) {
                AvisarArquivoAusente(AArquivo, *f.Propriedade);
                return;
            }
            TSemRegistro sem;
            for (const TItemLido& i : FLidos) {
                const int64_t codigo = f.Propriedade->Numero(*i.Item);
                if (codigo > 0) sem.Contar(i.Linha, codigo);
            }
            AvisarSemRegistro(AArquivo, f.Propriedade->Nome, sem);
        }
    }

    void AvisarArquivoAusente(const TArquivoModelo& AArquivo, const TPropriedade& AReferencia) {
        std::unordered_map<int64_t, bool> codigos;
        size_t itens = 0;
        for (const TItemLido& i : FLidos) {
            const int64_t codigo = AReferencia.Numero(*i.Item);
            if (codigo <= 0) continue;
            ++itens;
            codigos[codigo] = true;
        }
        if (itens == 0) return;
        Achar(TGravidade::Aviso, FModelo.Arquivos[0].Nome, 0, 0,
              Texto(AArquivo.Nome) + u" não está na pasta: " +
                  Plural(itens, u"item cita", u"itens citam") + u" " +
                  Plural(codigos.size(), u"código", u"códigos") +
                  u" dele em " + DeUtf8(AReferencia.Nome) +
                  u"; os códigos ficam no catálogo, e os registros são os que o programa da balança já tem");
    }

    // Lines of the item file that list an item again under another sector;
    // the first of them and the line of its item.
    // In the file being read: the records with an empty department list and
    // a department in front, and the lines of an item under department 00
    // whose list is "00".
    TOcorrencias FListaSemSetor, FListaZero;

    size_t FTentativasDeslocamento = 50;  // lines of variable width whose shifted field is looked for

    const TDefinicaoModelo& FModelo;
    TQuelbCargaBalItens& FItens;
    std::array<bool, QuantidadeConteudos> FPresentes{};  // by position in the model's files
    int32_t FPrimeiroItem;  // in FItens, the first item of this load
    std::deque<Texto> FTextos;  // the files' texts, which the records view
    std::array<std::vector<TRegistroLido>, QuantidadeConteudos> FRegistros;
    std::vector<TItemLido> FLidos;
    std::vector<TCampoLido> FCampos;  // of the record being read
    // The layouts and lines of the records of the last item read.
    std::vector<std::pair<const TLayoutRegistro*, uint64_t>> FSequencia;
    std::u16string_view FArquivoAtual;  // whose records are being set on the items
    std::unordered_map<int64_t, size_t> FPorCodigo;  // first item of each code
    TLeituraCarga FResultado;
};

}  // namespace

Texto LinhaDoAchado(const TAchadoCarga& AAchado) {
    Texto r = AAchado.Arquivo;
    if (AAchado.Linha > 0) r += u":" + NumeroEmTexto(static_cast<int64_t>(AAchado.Linha));
    if (AAchado.Coluna > 0) r += u":" + NumeroEmTexto(static_cast<int64_t>(AAchado.Coluna));
    return r + (AAchado.Gravidade == TGravidade::Erro ? u": erro: " : u": aviso: ") + AAchado.Descricao;
}

size_t TLeituraCarga::Erros() const {
    return static_cast<size_t>(std::count_if(Achados.begin(), Achados.end(),
                                             [](const TAchadoCarga& a) { return a.Gravidade == TGravidade::Erro; }));
}

bool TLeituraCarga::NaoLido(int32_t AItem, size_t APropriedade) const {
    return std::binary_search(NaoLidos.begin(), NaoLidos.end(), std::pair(AItem, APropriedade));
}

TLeituraCarga LerCarga(TQuelbCargaBalModelo AModelo, std::span<const TArquivoCarga> AArquivos, TQuelbCargaBalItens& AItens) {
    const TDefinicaoModelo* modelo = DefinicaoModelo(AModelo);
    if (modelo == nullptr) return {};
    return TLeitor(*modelo, AItens).Ler(AArquivos);
}

std::vector<size_t> PropriedadesDoModelo(TQuelbCargaBalModelo AModelo) {
    TDefinidas levadas;
    const TDefinicaoModelo* modelo = DefinicaoModelo(AModelo);
    if (modelo == nullptr) return {};
    for (const TArquivoModelo& a : modelo->Arquivos) {
        for (const TLayoutRegistro& l : a.Registros) {
            for (const TCampo& f : l.Campos)
                if (f.Propriedade != nullptr) levadas[IndiceDe(f.Propriedade)] = true;
            for (const size_t i : PropriedadesImplicitas(l)) levadas[i] = true;
        }
    }
    // An item file with the department lists an item under several.
    if (modelo->ItemMostra("Setor.Codigo")) levadas[IndiceOutrosDepartamentos] = true;
    std::vector<size_t> r;
    for (size_t i = 0; i < QuantidadePropriedades; ++i)
        if (levadas[i]) r.push_back(i);
    return r;
}

bool ArquivoDoModelo(TQuelbCargaBalModelo AModelo, std::u16string_view ANome) {
    const TDefinicaoModelo* modelo = DefinicaoModelo(AModelo);
    if (modelo == nullptr) return false;
    const Texto nome = Maiusculas(ANome);
    for (const TArquivoModelo& a : modelo->Arquivos)
        if (Maiusculas(a.Nome) == nome) return true;
    return false;
}

}  // namespace quelb
