#pragma once

// What an update of the product list came to; the settings dialog says it in words.
enum class UpdateOutcome {
    success,
    noInstallPath,
    cannotConnect,  // no Internet session could be opened
    cannotSave,  // the cache could not be written
    failed,  // unreachable, an error status, a cut or oversize body, an unreadable document
    cancelled,
};
