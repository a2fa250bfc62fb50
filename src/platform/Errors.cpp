#include "platform/Errors.h"

namespace exo {

namespace {

// The words of the error box for each operation; an operation not listed is shown as it is.
std::string OperationWords(const std::string& operation) {
    static const std::pair<const char*, const char*> kWords[] = {
        {"open", "abrir"},         {"read", "leer"},        {"write", "escribir en"},
        {"size", "medir"},         {"truncate", "acortar"}, {"delete", "borrar"},
        {"rewrite", "reescribir"}, {"append", "añadir a"},  {"mkdir", "crear la carpeta"},
        {"rename", "renombrar"},   {"copy", "copiar"},
    };
    for (const auto& [name, words] : kWords) {
        if (operation == name)
            return words;
    }
    return operation;
}

std::string InOutMessage(const std::string& file, const std::string& operation,
                         const std::string& detail) {
    std::string message =
        "Error de entrada/salida: no se puede " + OperationWords(operation) + " \"" + file + "\"";
    if (!detail.empty())
        message += " (" + detail + ")";
    return message;
}
} // namespace

InOutError::InOutError(std::string fileName, std::string operation, std::string detail)
    : std::runtime_error(InOutMessage(fileName, operation, detail)), fileName_(std::move(fileName)),
      operation_(std::move(operation)) {}

ConvertError::ConvertError(const std::string& text, const std::string& wanted)
    : std::runtime_error("'" + text + "' no es un " + wanted + " válido") {}

} // namespace exo
