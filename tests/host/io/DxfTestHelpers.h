#pragma once
// What the DXF tests share: the real plans beside the project, ezdxf (Debian's
// python3-ezdxf) as an independent reader and auditor, a fresh drawing, and the
// model space counted by entity type.
#include "LintaroTestPaths.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/rx/AcRxClass.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include <unistd.h>

namespace dxftest {

inline std::filesystem::path plansDir() { return LINTARO_SHARED_PLANS; }

// The path of a real plan; empty when the plans are not beside the project.
inline std::string planPath(const std::string& name) {
    const std::filesystem::path p = plansDir() / name;
    return std::filesystem::exists(p) ? p.string() : std::string();
}

// Runs a command and returns what it printed; the exit status comes back too.
inline std::string runCommand(const std::string& command, int& status) {
    std::string out;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) {
        status = -1;
        return out;
    }
    std::array<char, 4096> buf{};
    size_t n = 0;
    while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) out.append(buf.data(), n);
    status = pclose(pipe);
    return out;
}

// Debian's ezdxf lives in the system Python, which is not always first on PATH.
inline bool ezdxfAvailable() {
    static const bool available = [] {
        int status = 0;
        runCommand("/usr/bin/python3 -c 'import ezdxf'", status);
        return status == 0;
    }();
    return available;
}

inline std::string ezdxfScript(const std::string& body, const std::string& file, int& status) {
    // One script file per process and call: tests run side by side.
    static int serial = 0;
    const std::filesystem::path script = std::filesystem::temp_directory_path()
                                         / ("lintaro_dxf_" + std::to_string(getpid()) + "_" + std::to_string(++serial) + ".py");
    std::ofstream(script) << "import sys, collections\nimport ezdxf\n" << body;
    const std::string out = runCommand("/usr/bin/python3 " + script.string() + " '" + file + "'", status);
    std::filesystem::remove(script);
    return out;
}

// ezdxf's count of the model space's entities by type.
inline std::map<std::string, size_t> ezdxfCounts(const std::string& file) {
    int status = 0;
    const std::string out = ezdxfScript(
        "doc = ezdxf.readfile(sys.argv[1])\n"
        "for t, n in collections.Counter(e.dxftype() for e in doc.modelspace()).items(): print(t, n)\n",
        file, status);
    std::map<std::string, size_t> counts;
    std::istringstream in(out);
    std::string type;
    size_t n = 0;
    while (in >> type >> n) counts[type] = n;
    return counts;
}

// ezdxf's reading of the attributes: every ATTRIB of the model space's insertions
// and every ATTDEF of the blocks, as "ATTRIB tag value" lines, sorted.
inline std::string ezdxfAttributes(const std::string& file) {
    int status = 0;
    return ezdxfScript(
        "doc = ezdxf.readfile(sys.argv[1])\n"
        "seen = [f'ATTRIB {a.dxf.tag} {a.dxf.text}' for i in doc.modelspace().query('INSERT') for a in i.attribs]\n"
        "seen += [f'ATTDEF {d.dxf.tag} {d.dxf.text}' for b in doc.blocks for d in b.query('ATTDEF')]\n"
        "print(len(seen)); print('\\n'.join(sorted(seen)))\n",
        file, status);
}

// ezdxf's audit of a file: "errors=<n> fixes=<n>" and the messages.
inline std::string ezdxfAudit(const std::string& file, int& errors, int& fixes) {
    int status = 0;
    const std::string out = ezdxfScript(
        "doc = ezdxf.readfile(sys.argv[1])\n"
        "a = doc.audit()\n"
        "print('errors', len(a.errors))\n"
        "print('fixes', len(a.fixes))\n"
        "for e in a.errors: print('E', e.message)\n"
        "for f in a.fixes: print('F', f.message)\n",
        file, status);
    errors = fixes = -1;
    std::istringstream in(out);
    std::string word;
    while (in >> word) {
        if (word == "errors") in >> errors;
        if (word == "fixes") in >> fixes;
    }
    return out;
}

// A new default drawing that is the working database while the fixture lives.
struct Drawing {
    std::unique_ptr<AcDbDatabase> db = std::make_unique<AcDbDatabase>();
    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    Drawing() { acdbHostApplicationServices()->setWorkingDatabase(db.get()); }
    ~Drawing() { acdbHostApplicationServices()->setWorkingDatabase(previous); }
};

// The entities of a block (model space by default) by their DXF type.
inline std::map<std::string, size_t> countByType(AcDbDatabase* db, AcDbObjectId blockId = AcDbObjectId()) {
    if (blockId.isNull()) blockId = db->modelSpaceId();
    std::map<std::string, size_t> counts;
    const auto* block = AcDbBlockTableRecord::cast(static_cast<AcDbStub*>(blockId)->object);
    if (!block) return counts;
    for (AcDbObjectId id : block->entityIds()) {
        if (id.isErased() || !id.isValid()) continue;
        const auto* ent = AcDbEntity::cast(static_cast<AcDbStub*>(id)->object);
        if (!ent) continue;
        std::string name;
        for (const wchar_t* p = ent->isA()->dxfName(); *p; ++p) name += char(*p);
        ++counts[name];
    }
    return counts;
}

inline std::string narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) s += c < 0x80 ? char(c) : '?';
    return s;
}

} // namespace dxftest
