#pragma once

class CLinkApplicationInterface;
class CPortPreferencesInterface;
class CSlotPatchManagerInterface;
class CTransferDocumentsInterface;

// What the port manager needs of the editor, all owned by the editor and
// alive as long as the port manager.
struct CPortManagerServices {
    CLinkApplicationInterface& application;
    CPortPreferencesInterface& preferences;
    CSlotPatchManagerInterface& patches;
    // How bank transfers read and write patch files; without it they do
    // not start.
    CTransferDocumentsInterface* transferDocuments = nullptr;
};
