// Puts the rock-path filter dialogs behind the document's filter commands.
#pragma once

void InstallFilterDialogs();
