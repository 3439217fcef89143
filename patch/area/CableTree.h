#pragma once

#include "patch/Tree.h"
#include "patch/area/ModuleList.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class CEditPair;
class CMCableDump;
class CNetGraph;

// The modules and cables of one voice area (or of a clip). The cables form
// nets; each net is a tree of jack nodes whose every non-top node stands for
// the cable to its parent and keeps that cable's colour in its link word.
// The validating operations change the graph as messages ask; the edit
// builders only read it and fill the do and undo lists of a user's edit.
class CCableTree : public CTree {
public:
    // The cable dump counts an area's cables in one byte.
    static constexpr size_t kMaxCables = 255;
    // The colour of a net without an output.
    static constexpr uint8_t kNoOutputColour = 6;

    // An owning tree deletes its modules when they leave it or when it dies.
    CCableTree(bool owner, uint8_t area);
    ~CCableTree() override;

    CModuleList& GetModules() { return modules_; }
    const CModuleList& GetModules() const { return modules_; }
    uint8_t GetAreaIndex() const { return area_; }
    // Also writes the index into every module.
    void SetAreaIndex(uint8_t area);

    // Requests still to be answered when the area is read back from a
    // synthesizer slot; all three are set when the tree is made.
    bool AreModulesPending() const { return modulesPending_; }
    void SetModulesPending(bool pending) { modulesPending_ = pending; }
    bool AreCablesPending() const { return cablesPending_; }
    void SetCablesPending(bool pending) { cablesPending_ = pending; }
    bool IsCustomDataPending() const { return customDataPending_; }
    void SetCustomDataPending(bool pending) { customDataPending_ = pending; }
    void ClearPendingFlags();

    // A tree that owns a clone of every module and a copy of every cable.
    std::unique_ptr<CCableTree> CopyForModules() const;
    // Every module (deleted when owned) and every cable.
    void RemoveAll();
    // The dynamic memory the modules and cables need.
    uint32_t ComputeMemorySize() const;

    // XPDontExist "Module doesn't exist" or "Connector doesn't exist".
    void CheckJack(const JackAddress& jack) const;
    bool IsConnected(const JackAddress& jack) const;
    // True when the jack's only cable is the one to its parent.
    bool HasNoChildCables(const JackAddress& jack) const;
    // The output of the jack's net, else the net's top jack; the jack itself
    // when it has no cable.
    JackAddress FindJack(const JackAddress& jack) const;
    size_t GetCableCount() const;

    // Checks both jacks, that they are not already joined (a loop) and that
    // the area has room for one more cable, then joins them. The end in a
    // net with an output keeps its place; the other net hangs below it.
    void Connect(const CableEntry& cable);
    // XPDontExist "Cable doesn't exist" when no cable joins the two jacks.
    void Disconnect(const CableEntry& cable);
    // Ends in either order; an absent cable changes nothing.
    void Recolor(const CableEntry& cable);

    // Every cable of the tree, or those with an end at one module, in
    // pre-order, each from its node to the node's parent.
    std::vector<CableEntry> GetCables() const;
    std::vector<CableEntry> GetModuleCables(uint8_t module) const;
    // XPToMany "Too many cables" when the dump refuses one.
    void FillCableDump(CMCableDump& dump) const;

    // Edit builders. Connect refuses, before anything is built, what
    // applying would refuse (a loop, a 256th cable, a missing jack).
    void MakeConnectEdit(CEditPair& pair, const JackAddress& source, const JackAddress& destination) const;
    void MakeDisconnectEdit(CEditPair& pair, const JackAddress& jack) const;
    void MakeMoveCableEndEdit(CEditPair& pair, const JackAddress& oldJack, const JackAddress& newJack) const;
    void MakeBreakEdit(CEditPair& pair, const JackAddress& jack) const;
    void MakeDeleteEdit(CEditPair& pair, const JackAddress& jack) const;
    void MakeRecolorEdit(CEditPair& pair, const JackAddress& jack, uint8_t colour) const;
    // The cable part of deleting modules: nets whose output goes are
    // recoloured, every cable at the modules is deleted and the jacks left
    // behind are joined again. The module deletions follow it.
    void MakeDeleteModulesCables(CEditPair& pair, const std::vector<uint8_t>& modules) const;

    // The colour a jack gives its net: an output's signal colour, an input's
    // cable colour (6 without a cable).
    uint8_t GetNetColour(const JackAddress& jack) const;

protected:
    void Changed() override { stale_ = true; }

private:
    CTreeIterator FindNode(const JackAddress& jack) const;
    // The jack index and the cable count follow the tree: the operations
    // here keep them up to date, any other change has them rebuilt.
    void Refresh() const;
    // After an operation of this class that kept the index itself.
    void Kept() { stale_ = false; }
    static uint32_t Key(const JackAddress& jack)
    {
        return uint32_t{jack.module} << 16 | jack.jack << 8 | jack.direction;
    }
    void CheckConnectable(const JackAddress& source, const JackAddress& destination) const;
    bool HasOutput(const JackAddress& jack) const { return FindJack(jack).IsOutput(); }
    bool IsNetOutput(const JackAddress& jack) const;
    void AddNetRecolor(CEditPair& pair, const JackAddress& jack, uint8_t colour) const;
    void AddRangeRecolor(CEditPair& pair, CTreeRange range, uint8_t colour) const;
    void AddDelete(CEditPair& pair, const CableEntry& cable, uint32_t removal) const;
    void AddConnect(CEditPair& pair, const CableEntry& cable, uint32_t removal) const;
    void AddRecolor(CEditPair& pair, const CableEntry& cable, uint8_t colour) const;
    // Deletes every cable at the removed jacks of one net and joins the
    // jacks left around each group of them; recolours the net to 6 first
    // when its output goes.
    void AddRemoval(CEditPair& pair, const CNetGraph& net, const std::vector<bool>& removed, uint32_t removal) const;

    CModuleList modules_;
    uint8_t area_;
    mutable std::unordered_map<uint32_t, CTreeNode*> nodes_;
    mutable size_t cableCount_ = 0;
    mutable bool stale_ = false;
    bool modulesPending_ = true;
    bool cablesPending_ = true;
    bool customDataPending_ = true;
};

// Runs over the cables of a tree in pre-order.
class CCableIterator {
public:
    explicit CCableIterator(const CTree& tree);
    bool AtEnd() const { return current_ == end_; }
    CableEntry GetCable() const;
    void Next();

private:
    void SkipTopNodes();

    CTreeIterator current_;
    CTreeIterator end_;
};

// The cables with an end at one module, in the same order.
class CModuleCableIterator {
public:
    CModuleCableIterator(const CTree& tree, uint8_t module);
    bool AtEnd() const { return cables_.AtEnd(); }
    CableEntry GetCable() const { return cables_.GetCable(); }
    void Next();

private:
    void SkipOthers();

    CCableIterator cables_;
    uint8_t module_;
};
