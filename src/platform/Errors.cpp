#include "platform/Errors.h"

namespace exo {

namespace {
std::string InOutMessage(const std::string& file, const std::string& operation,
                         const std::string& detail) {
    std::string message =
        "Error de entrada/salida (" + operation + ") en el fichero \"" + file + "\"";
    if (!detail.empty())
        message += ": " + detail;
    return message;
}
} // namespace

InOutError::InOutError(std::string fileName, std::string operation, std::string detail)
    : std::runtime_error(InOutMessage(fileName, operation, detail)), fileName_(std::move(fileName)),
      operation_(std::move(operation)) {}

ConvertError::ConvertError(const std::string& text, const std::string& wanted)
    : std::runtime_error("'" + text + "' no es un " + wanted + " válido") {}

} // namespace exo
