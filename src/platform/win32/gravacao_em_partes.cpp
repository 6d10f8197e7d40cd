// Saving a file so that its name never points at a half-written file: the
// bytes go to a new hidden file beside the target in pieces as they are
// made, are flushed to disk, and the new file is then moved over the target
// in one step. Until that move the old
// file is untouched; after any failure the temporary file is removed.
//
// What the replaced file keeps: the move puts the new file in place as it
// was created, with the security settings it inherited from the folder; only
// the hidden, system and not-indexed attributes of the old file are given to
// it (a hidden file stays hidden). Where the move is refused and ReplaceFileW
// does the work instead, that function keeps the old file's attributes and
// security settings itself. A link at the target name is replaced by the
// file, not followed: on Windows such links need special privileges and are
// not met in a scale's load folder.
#include "platform/win32/windows_minimo.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>

#include "platform/plataforma.h"

namespace quelb::plataforma {

namespace {

using win32::Largo;

TResultadoGravacao Falha(TResultadoGravacao::TSituacao ASituacao, DWORD AErro) {
    TResultadoGravacao r;
    r.Situacao = ASituacao;
    r.Causa = win32::DescricaoErro(AErro);
    return r;
}

const wchar_t* W(const std::u16string& ATexto) { return Largo(ATexto.c_str()); }

// Errors that a virus scanner, an indexer or the scale's loader cause while
// it holds a file open for a moment. A read-only or a directory target also
// gives ERROR_ACCESS_DENIED; the callers rule those out first.
bool Passageiro(DWORD AErro) {
    return AErro == ERROR_SHARING_VIOLATION || AErro == ERROR_ACCESS_DENIED || AErro == ERROR_LOCK_VIOLATION;
}

struct TTentativa {
    DWORD Erro = ERROR_SUCCESS;
    bool Repetir = false;
};

// Calls AAcao until it succeeds or says not to repeat, for about two seconds
// at most; returns ERROR_SUCCESS or the last error.
template <class TAcao>
DWORD Repetindo(TAcao AAcao) {
    const ULONGLONG limite = GetTickCount64() + 2000;
    DWORD espera = 10;
    for (;;) {
        const TTentativa t = AAcao();
        if (t.Erro == ERROR_SUCCESS || !t.Repetir || GetTickCount64() >= limite) return t.Erro;
        Sleep(espera);
        espera = std::min<DWORD>(espera * 2, 200);
    }
}

DWORD Apagar(const std::u16string& ACaminho) {
    return Repetindo([&] {
        if (DeleteFileW(W(ACaminho)) || GetLastError() == ERROR_FILE_NOT_FOUND) return TTentativa{};
        const DWORD erro = GetLastError();
        return TTentativa{erro, Passageiro(erro)};
    });
}

// The absolute path, and where its file name starts; false with the error
// in AErro.
bool CaminhoCompleto(const std::u16string& ACaminho, std::u16string& ACompleto, size_t& ANome, DWORD& AErro) {
    ACompleto.assign(MAX_PATH, u'\0');
    for (int vez = 0; vez < 3; ++vez) {
        wchar_t* nome = nullptr;
        const DWORD n = GetFullPathNameW(W(ACaminho), static_cast<DWORD>(ACompleto.size()), Largo(ACompleto.data()),
                                         &nome);
        if (n == 0) {
            AErro = GetLastError();
            return false;
        }
        if (n < ACompleto.size()) {
            if (nome == nullptr) {  // the path ends with a delimiter: it names a folder
                AErro = ERROR_ACCESS_DENIED;
                return false;
            }
            ANome = static_cast<size_t>(nome - Largo(ACompleto.data()));
            ACompleto.resize(n);
            return true;
        }
        ACompleto.assign(n, u'\0');  // n counts the terminating zero here
    }
    AErro = ERROR_INVALID_NAME;
    return false;
}

// A path past MAX_PATH reaches the file system only in the "\\?\" form.
std::u16string FormaLonga(const std::u16string& ACompleto) {
    if (ACompleto.rfind(u"\\\\?\\", 0) == 0 || ACompleto.rfind(u"\\\\.\\", 0) == 0) return ACompleto;
    if (ACompleto.rfind(u"\\\\", 0) == 0) return u"\\\\?\\UNC\\" + ACompleto.substr(2);
    return u"\\\\?\\" + ACompleto;
}

// Distinct within the process and across processes that start together.
uint64_t NumeroUnico() {
    static std::atomic<uint64_t> contador{0};
    LARGE_INTEGER tempo;
    QueryPerformanceCounter(&tempo);
    uint64_t x = static_cast<uint64_t>(tempo.QuadPart) ^ (static_cast<uint64_t>(GetCurrentProcessId()) << 32) ^
                 GetCurrentThreadId();
    x += 0x9E3779B97F4A7C15ull * (++contador);
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// A name beside the target: "CADTXT.TXT.3f9a0c1b2d4e5f60.tmp".
constexpr size_t SufixoMaximo = 1 + 16 + 4;
std::u16string NomeUnico(const std::u16string& ADestino, const char16_t* AExtensao) {
    static const char16_t digitos[] = u"0123456789abcdef";
    std::u16string nome = ADestino + u".";
    for (uint64_t v = NumeroUnico(), i = 0; i < 16; ++i, v >>= 4) nome += digitos[v & 0xF];
    return nome + AExtensao;
}

// WriteFile takes a 32-bit count; larger texts go in pieces.
constexpr size_t PedacoMaximo = size_t{1} << 30;

// The position AInicio of the file, for a read or write there.
OVERLAPPED Posicao(uint64_t AInicio) {
    OVERLAPPED r{};
    r.Offset = static_cast<DWORD>(AInicio);
    r.OffsetHigh = static_cast<DWORD>(AInicio >> 32);
    return r;
}

// Writes every byte at AInicio on. Each write names its position, since a
// read at a position moves the file pointer.
bool EscreverTudo(HANDLE AAlca, uint64_t AInicio, std::string_view ABytes) {
    while (!ABytes.empty()) {
        const DWORD pedaco = static_cast<DWORD>(std::min(ABytes.size(), PedacoMaximo));
        DWORD escrito = 0;
        OVERLAPPED posicao = Posicao(AInicio);
        if (!WriteFile(AAlca, ABytes.data(), pedaco, &escrito, &posicao)) return false;
        if (escrito == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        ABytes.remove_prefix(escrito);
        AInicio += escrito;
    }
    return true;
}

// ReplaceFileW, for a share that refuses to move a file over another. The
// old file passes through a backup name, so that a failure halfway leaves it
// where it can be put back. Repetir is false only when it could not be put
// back: the old file then stays under the backup name.
TTentativa Substituir(const std::u16string& ADestino, std::u16string& ATemporario) {
    std::u16string reserva = NomeUnico(ADestino, u".old");
    if (GetFileAttributesW(W(reserva)) != INVALID_FILE_ATTRIBUTES) reserva = NomeUnico(ADestino, u".old");
    if (ReplaceFileW(W(ADestino), W(ATemporario), W(reserva),
                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr)) {
        ATemporario.clear();  // it is the target now
        Apagar(reserva);
        return {};
    }
    const DWORD erro = GetLastError();
    // ERROR_UNABLE_TO_MOVE_REPLACEMENT_2: the old file was renamed and the
    // new one could not take its name.
    if (GetFileAttributesW(W(reserva)) != INVALID_FILE_ATTRIBUTES &&
        GetFileAttributesW(W(ADestino)) == INVALID_FILE_ATTRIBUTES &&
        !MoveFileExW(W(reserva), W(ADestino), MOVEFILE_WRITE_THROUGH))
        return {GetLastError(), false};
    return {erro, true};
}

// Attributes of the old file that the new one takes.
constexpr DWORD AtributosMantidos = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

}  // namespace

std::u16string win32::CaminhoParaSistema(const std::u16string& ACaminho) {
    std::u16string completo;
    size_t nome = 0;
    DWORD erro = ERROR_SUCCESS;
    if (!CaminhoCompleto(ACaminho, completo, nome, erro)) return ACaminho;
    return completo.size() >= MAX_PATH ? FormaLonga(completo) : completo;
}

struct TGravacaoEmPartes::TArquivo {
    HANDLE Alca = INVALID_HANDLE_VALUE;
    DWORD Erro = ERROR_SUCCESS;  // the first write error
    uint64_t Tamanho = 0;        // bytes written
    DWORD Atributos = FILE_ATTRIBUTE_NORMAL;  // what the file has once in place
    std::u16string Temporario;   // removed unless it was moved into place
    std::u16string Destino;

    ~TArquivo() {
        if (Alca != INVALID_HANDLE_VALUE) CloseHandle(Alca);
        if (!Temporario.empty()) Apagar(Temporario);
    }
    bool Fechar() {
        const HANDLE h = Alca;
        Alca = INVALID_HANDLE_VALUE;
        return CloseHandle(h) != 0;
    }
};

void TGravacaoEmPartes::TFechar::operator()(TArquivo* AArquivo) const noexcept { delete AArquivo; }

TResultadoGravacao TGravacaoEmPartes::Iniciar(const std::u16string& ACaminho) {
    Descartar();
    if (!win32::NomeValido(ACaminho)) return Falha(TResultadoGravacao::FalhaCriar, ERROR_INVALID_NAME);
    std::unique_ptr<TArquivo, TFechar> arquivo(new TArquivo);
    std::u16string& destino = arquivo->Destino;
    size_t inicioNome = 0;
    DWORD erro = ERROR_SUCCESS;
    if (!CaminhoCompleto(ACaminho, destino, inicioNome, erro)) return Falha(TResultadoGravacao::FalhaCriar, erro);
    if (destino.size() + SufixoMaximo >= MAX_PATH) destino = FormaLonga(destino);

    // A read-only file is not replaced behind the user's back, and a folder
    // cannot be; both are refused before anything is written.
    const DWORD anterior = GetFileAttributesW(W(destino));
    if (anterior == INVALID_FILE_ATTRIBUTES) {
        erro = GetLastError();
        if (erro != ERROR_FILE_NOT_FOUND) return Falha(TResultadoGravacao::FalhaCriar, erro);
    } else if (anterior & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
        return Falha(TResultadoGravacao::FalhaCriar, ERROR_ACCESS_DENIED);
    }
    if (anterior != INVALID_FILE_ATTRIBUTES && (anterior & AtributosMantidos)) arquivo->Atributos = anterior & AtributosMantidos;

    // Hidden while it is written; it takes its own attributes when it is
    // put in place.
    for (int tentativa = 0; arquivo->Alca == INVALID_HANDLE_VALUE; ++tentativa) {
        std::u16string caminho = NomeUnico(destino, u".tmp");
        arquivo->Alca = CreateFileW(W(caminho), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    arquivo->Atributos | FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (arquivo->Alca != INVALID_HANDLE_VALUE) {
            arquivo->Temporario = std::move(caminho);
        } else if (erro = GetLastError(); (erro != ERROR_FILE_EXISTS && erro != ERROR_ALREADY_EXISTS) ||
                                          tentativa == 100) {
            return Falha(TResultadoGravacao::FalhaCriar, erro);
        }
    }
    FArquivo = std::move(arquivo);
    return {};
}

bool TGravacaoEmPartes::Escrever(std::string_view ABytes) {
    if (!FArquivo) return false;
    if (FArquivo->Erro == ERROR_SUCCESS) {
        if (EscreverTudo(FArquivo->Alca, FArquivo->Tamanho, ABytes)) FArquivo->Tamanho += ABytes.size();
        else FArquivo->Erro = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_WRITE_FAULT;
    }
    return FArquivo->Erro == ERROR_SUCCESS;
}

bool TGravacaoEmPartes::Ler(uint64_t AInicio, char* ADestino, size_t ATamanho) const {
    if (!FArquivo) return false;
    while (ATamanho > 0) {
        const DWORD pedaco = static_cast<DWORD>(std::min(ATamanho, PedacoMaximo));
        DWORD lido = 0;
        OVERLAPPED posicao = Posicao(AInicio);
        if (!ReadFile(FArquivo->Alca, ADestino, pedaco, &lido, &posicao) || lido == 0) return false;
        ADestino += lido;
        AInicio += lido;
        ATamanho -= lido;
    }
    return true;
}

TResultadoGravacao TGravacaoEmPartes::Preparar() {
    if (!FArquivo || FArquivo->Alca == INVALID_HANDLE_VALUE) {
        Descartar();
        return Falha(TResultadoGravacao::FalhaEscrita, ERROR_INVALID_HANDLE);
    }
    // On a failure below the temporary file goes with the object.
    std::unique_ptr<TArquivo, TFechar> temporario = std::move(FArquivo);
    if (temporario->Erro != ERROR_SUCCESS) return Falha(TResultadoGravacao::FalhaEscrita, temporario->Erro);
    // Some network redirectors cannot flush; the close below still reports
    // a write that did not reach the server.
    if (!FlushFileBuffers(temporario->Alca) && GetLastError() != ERROR_INVALID_FUNCTION)
        return Falha(TResultadoGravacao::FalhaEscrita, GetLastError());
    if (!temporario->Fechar()) return Falha(TResultadoGravacao::FalhaEscrita, GetLastError());
    // Made read-only, or replaced by a folder, since Iniciar.
    const DWORD atual = GetFileAttributesW(W(temporario->Destino));
    if (atual != INVALID_FILE_ATTRIBUTES && (atual & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return Falha(TResultadoGravacao::FalhaCriar, ERROR_ACCESS_DENIED);
    // Best effort: a file left hidden is still a whole file.
    SetFileAttributesW(W(temporario->Temporario), temporario->Atributos);
    FArquivo = std::move(temporario);
    return {};
}

TResultadoGravacao TGravacaoEmPartes::Colocar() {
    if (!FArquivo || FArquivo->Alca != INVALID_HANDLE_VALUE || FArquivo->Temporario.empty()) {
        Descartar();
        return Falha(TResultadoGravacao::FalhaCriar, ERROR_INVALID_HANDLE);
    }
    TArquivo& temporario = *FArquivo;
    const std::u16string& destino = temporario.Destino;
    DWORD opcoes = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    const DWORD erro = Repetindo([&]() -> TTentativa {
        if (MoveFileExW(W(temporario.Temporario), W(destino), opcoes)) {
            temporario.Temporario.clear();  // it is the target now
            return {};
        }
        const DWORD falha = GetLastError();
        if ((falha == ERROR_INVALID_PARAMETER || falha == ERROR_NOT_SUPPORTED) && (opcoes & MOVEFILE_WRITE_THROUGH)) {
            // A share that cannot write the move through; the bytes are on
            // disk already.
            opcoes &= ~static_cast<DWORD>(MOVEFILE_WRITE_THROUGH);
            return {falha, true};
        }
        const DWORD atual = GetFileAttributesW(W(destino));
        if (atual == INVALID_FILE_ATTRIBUTES) return {falha, Passageiro(falha)};
        // Made read-only, or replaced by a folder, since the check above.
        if (atual & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return {ERROR_ACCESS_DENIED, false};
        const TTentativa troca = Substituir(destino, temporario.Temporario);
        if (troca.Erro == ERROR_SUCCESS || !troca.Repetir) return troca;
        return {falha, Passageiro(falha)};
    });
    if (erro != ERROR_SUCCESS) {
        Descartar();
        return Falha(TResultadoGravacao::FalhaCriar, erro);
    }
    return {};
}

// The move was written through (MOVEFILE_WRITE_THROUGH, or ReplaceFileW's
// own flush): nothing is left to flush.
TResultadoGravacao TGravacaoEmPartes::SincronizarPasta() {
    if (!FArquivo) return Falha(TResultadoGravacao::FalhaEscrita, ERROR_INVALID_HANDLE);
    return {};
}

namespace {

bool Hexadecimal(std::u16string_view ATexto) {
    for (const char16_t c : ATexto)
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'))) return false;
    return true;
}

// ASCII letters in capitals: file names compare without letter case.
std::u16string Maiusculas(std::u16string_view ATexto) {
    std::u16string r(ATexto);
    for (char16_t& c : r)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return r;
}

// The target name of a temporary file name (see NomeUnico), or empty.
std::u16string_view AlvoDoTemporario(std::u16string_view ANome) {
    if (ANome.size() <= SufixoMaximo || !ANome.ends_with(u".tmp")) return {};
    const size_t ponto = ANome.size() - SufixoMaximo;
    if (ANome[ponto] != u'.' || !Hexadecimal(ANome.substr(ponto + 1, 16))) return {};
    return ANome.substr(0, ponto);
}

}  // namespace

size_t RemoverTemporariosAbandonados(const std::u16string& APasta, std::span<const std::u16string_view> ANomes) {
    if (!win32::NomeValido(APasta)) return 0;
    std::unordered_set<std::u16string> nomes;
    for (const std::u16string_view n : ANomes) nomes.insert(Maiusculas(n));
    std::u16string pasta = APasta;
    if (pasta.back() != u'\\' && pasta.back() != u'/') pasta += u'\\';
    WIN32_FIND_DATAW e;
    const HANDLE busca =
        FindFirstFileExW(W(pasta + u"*.tmp"), FindExInfoStandard, &e, FindExSearchNameMatch, nullptr, 0);
    if (busca == INVALID_HANDLE_VALUE) return 0;
    size_t removidos = 0;
    do {
        const std::u16string_view nome(reinterpret_cast<const char16_t*>(e.cFileName));
        if (e.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
        const std::u16string_view alvo = AlvoDoTemporario(nome);
        if (!alvo.empty() && nomes.contains(Maiusculas(alvo)) &&
            Apagar(pasta + std::u16string(nome)) == ERROR_SUCCESS)
            ++removidos;
    } while (FindNextFileW(busca, &e));
    FindClose(busca);
    return removidos;
}

}  // namespace quelb::plataforma
