#pragma once
// Real ways to make a save fail, for a test process that runs as root (as CI
// does), where permission bits alone stop nothing. Each returns an empty
// text when it worked, or why it is not available here (for GTEST_SKIP).
#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quelb::teste {

// Mounts over APasta and unmounts on destruction. The first mount moves the
// test process into a mount namespace of its own, so that nothing is left
// mounted on the machine if the test dies.
class TMontagem {
public:
    TMontagem() = default;
    TMontagem(const TMontagem&) = delete;
    TMontagem& operator=(const TMontagem&) = delete;
    ~TMontagem();

    // A tmpfs of ABytes bytes.
    std::string Tmpfs(const std::filesystem::path& APasta, size_t ABytes);
    // APasta bound over itself, read-only.
    std::string SomenteLeitura(const std::filesystem::path& APasta);

private:
    std::filesystem::path FPasta;
};

// Sets or clears a file attribute flag of the file system (FS_IMMUTABLE_FL,
// FS_APPEND_FL), as chattr does.
std::string DefinirAtributo(const std::filesystem::path& AArquivo, int AAtributo, bool ALigado);

// Grows the file AArquivo until the file system that holds it has only
// ABytesLivres bytes free.
void Encher(const std::filesystem::path& AArquivo, size_t ABytesLivres);

// Runs AFuncao in a child process under AUsuario (and its group of the same
// number) and returns what it returned; nothing when the child failed to
// switch user or died.
std::optional<std::string> ComoUsuario(uid_t AUsuario, const std::function<std::string()>& AFuncao);

// Empty when this process may switch to another user.
std::string TrocaDeUsuarioDisponivel();

}  // namespace quelb::teste
