#include "platform/win/Modules.h"

#include "platform/win/LastError.h"
#include "platform/win/SystemErrors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

namespace {

int hostTable() { return 7; }
int maskEdit() { return 11; }

// Registers modules for one test and removes them at its end.
class ModulesTest : public ::testing::Test {
 protected:
  HMODULE add(std::u16string path, std::vector<HvModuleExport> exports = {},
              HvModuleLoad load = HvModuleLoad::onRequest) {
    return keep(hvRegisterModule(std::move(path), std::move(exports), load));
  }
  HMODULE keep(HMODULE module) {
    if (module != nullptr) registered_.push_back(module);
    return module;
  }
  void TearDown() override {
    for (HMODULE module : registered_) hvUnregisterModule(module);
  }

 private:
  std::vector<HMODULE> registered_;
};

std::u16string widen(const std::string& text) { return std::u16string(text.begin(), text.end()); }

}  // namespace

TEST_F(ModulesTest, LoadedHostAnswersByBaseNameInAnyCaseAndExactExportName) {
  HMODULE host = add(u"C:\\Host\\REDUZUZI.EXE", {hvExport("GetExport2D", &hostTable)}, HvModuleLoad::now);
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(GetModuleHandleW(u"REDUZUZI.EXE"), host);
  EXPECT_EQ(GetModuleHandleW(u"reduzuzi.exe"), host);
  EXPECT_EQ(GetModuleHandleW(u"D:/Elsewhere/Reduzuzi.Exe"), host);
  EXPECT_EQ(GetModuleHandleW(u"HAVLEN2D.ARX"), nullptr);

  const FARPROC proc = GetProcAddress(host, "GetExport2D");
  ASSERT_NE(proc, nullptr);
  EXPECT_EQ(reinterpret_cast<int (*)()>(proc)(), 7);
  EXPECT_EQ(GetProcAddress(host, "getexport2d"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  EXPECT_EQ(GetProcAddress(host, reinterpret_cast<LPCSTR>(std::uintptr_t{3})), nullptr);  // an ordinal
  EXPECT_EQ(GetProcAddress(host, nullptr), nullptr);
}

TEST_F(ModulesTest, ReferencesAreCountedAndOnlyLoadedModulesHaveAHandle) {
  HMODULE wizard = add(u"WIZARD.DLL", {hvExport("QEV_MASK_EDIT", &maskEdit)});
  ASSERT_NE(wizard, nullptr);
  EXPECT_EQ(GetModuleHandleW(u"WIZARD.DLL"), nullptr);
  EXPECT_EQ(GetProcAddress(wizard, "QEV_MASK_EDIT"), nullptr);

  EXPECT_EQ(LoadLibraryW(u"C:\\Host\\wizard.dll"), wizard);
  EXPECT_EQ(AfxLoadLibrary(u"WIZARD.DLL"), wizard);
  EXPECT_EQ(hvModuleReferenceCount(wizard), 2u);
  EXPECT_EQ(GetModuleHandleW(u"WIZARD.DLL"), wizard);

  EXPECT_TRUE(FreeLibrary(wizard));
  EXPECT_EQ(GetModuleHandleW(u"WIZARD.DLL"), wizard);
  EXPECT_TRUE(AfxFreeLibrary(wizard));
  EXPECT_EQ(GetModuleHandleW(u"WIZARD.DLL"), nullptr);
  EXPECT_EQ(GetProcAddress(wizard, "QEV_MASK_EDIT"), nullptr);
  EXPECT_FALSE(FreeLibrary(wizard));
}

TEST_F(ModulesTest, UnknownModulesLeaveThePointerEmpty) {
  EXPECT_EQ(LoadLibraryW(u"VO_VUDE2RUR.EVO"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  EXPECT_EQ(LoadLibraryW(u"C:\\Host\\VO_VUDE2RUR.EVO"), nullptr);
  EXPECT_EQ(LoadLibraryW(u"/no/such/folder/module.so"), nullptr);
  EXPECT_EQ(LoadLibraryW(u""), nullptr);
  EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
  EXPECT_EQ(GetModuleHandleW(nullptr), nullptr);
  EXPECT_EQ(GetProcAddress(nullptr, "x"), nullptr);
  EXPECT_FALSE(FreeLibrary(nullptr));
}

TEST_F(ModulesTest, ABaseNameIsRegisteredOnceAndAnUnregisteredHandleIsDead) {
  HMODULE first = add(u"C:\\A\\QEV_DESC.CRX", {}, HvModuleLoad::now);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(add(u"D:\\B\\qev_desc.crx"), nullptr);
  EXPECT_EQ(add(u"C:\\Folder\\"), nullptr);

  ASSERT_TRUE(hvUnregisterModule(first));
  EXPECT_EQ(GetModuleHandleW(u"QEV_DESC.CRX"), nullptr);
  EXPECT_FALSE(FreeLibrary(first));
  HMODULE again = add(u"C:\\A\\QEV_DESC.CRX", {}, HvModuleLoad::now);
  EXPECT_NE(again, first);  // handle values are not reused
}

TEST_F(ModulesTest, FileNameIsTheRegisteredPathAndIsCutToTheBuffer) {
  HMODULE host = add(u"C:\\Host\\REDUZUZI.EXE", {}, HvModuleLoad::now);
  WCHAR buffer[64];
  EXPECT_EQ(GetModuleFileNameW(host, buffer, 64), 20u);
  EXPECT_EQ(std::u16string(buffer), u"C:\\Host\\REDUZUZI.EXE");

  EXPECT_EQ(GetModuleFileNameW(host, buffer, 8), 8u);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::u16string(buffer), u"C:\\Host");
  EXPECT_EQ(GetModuleFileNameW(host, buffer, 20), 20u);  // no room for the terminator
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);

  EXPECT_GT(GetModuleFileNameW(nullptr, buffer, 64), 0u);  // this program
  FreeLibrary(host);
  EXPECT_EQ(GetModuleFileNameW(host, buffer, 64), 0u);
}

TEST_F(ModulesTest, RealSharedObjectLoadsByPathWithBackslashes) {
  HMODULE wizard = add(u"WIZARD.DLL", {hvExport("QEV_MASK_EDIT", &maskEdit)});
  add(u"C:\\Host\\REDUZUZI.EXE", {}, HvModuleLoad::now);
  std::string path = HV_TEST_PLUGIN;
  for (auto& c : path)
    if (c == '/') c = '\\';

  HMODULE plugin = LoadLibraryW(widen(path).c_str());
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(hvModuleReferenceCount(wizard), 1u);  // bound by the plugin's start-up
  const auto startup = reinterpret_cast<int (*)()>(GetProcAddress(plugin, "hvTestPluginStartup"));
  ASSERT_NE(startup, nullptr);
  EXPECT_EQ(startup(), 1 | 4);
  const auto answer = reinterpret_cast<int (*)()>(GetProcAddress(plugin, "hvTestPluginAnswer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  EXPECT_EQ(GetProcAddress(plugin, "noSuchExport"), nullptr);

  const std::string base = path.substr(path.find_last_of('\\') + 1);
  EXPECT_EQ(GetModuleHandleW(widen(base).c_str()), plugin);
  EXPECT_EQ(LoadLibraryW(widen(HV_TEST_PLUGIN).c_str()), plugin);  // the same object by another spelling
  EXPECT_EQ(LoadLibraryW(widen(base).c_str()), plugin);           // bare name of a loaded module
  EXPECT_EQ(hvModuleReferenceCount(plugin), 3u);

  EXPECT_TRUE(FreeLibrary(plugin));
  EXPECT_TRUE(FreeLibrary(plugin));
  EXPECT_TRUE(FreeLibrary(plugin));
  EXPECT_EQ(GetModuleHandleW(widen(base).c_str()), nullptr);
  EXPECT_EQ(hvModuleReferenceCount(wizard), 0u);  // freed by the plugin's exit
}

TEST_F(ModulesTest, RegisteredNameCanBeServedByARealSharedObject) {
  HMODULE module = keep(hvRegisterSharedObject(u"C:\\Host\\Qev_Heating.crx", HV_TEST_PLUGIN, {hvExport("fromTable", &maskEdit)}));
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(GetProcAddress(module, "hvTestPluginAnswer"), nullptr);  // not loaded yet

  ASSERT_EQ(LoadLibraryW(u"QEV_HEATING.CRX"), module);
  const auto startup = reinterpret_cast<int (*)()>(GetProcAddress(module, "hvTestPluginStartup"));
  ASSERT_NE(startup, nullptr);
  EXPECT_EQ(startup() & 2, 2);  // it found itself by name while it loaded
  EXPECT_NE(GetProcAddress(module, "fromTable"), nullptr);
  WCHAR buffer[64];
  GetModuleFileNameW(module, buffer, 64);
  EXPECT_EQ(std::u16string(buffer), u"C:\\Host\\Qev_Heating.crx");
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(GetModuleHandleW(u"Qev_Heating.crx"), nullptr);

  EXPECT_EQ(keep(hvRegisterSharedObject(u"Broken.crx", "/no/such/file.so", {}, HvModuleLoad::now)), nullptr);
  EXPECT_EQ(GetModuleHandleW(u"Broken.crx"), nullptr);
}

TEST_F(ModulesTest, VersionRecordsBelongToLoadedModulesRegisteredWithOne) {
  HvModuleVersion version;
  version.file[0] = 3;
  version.product[3] = 9;
  HMODULE withVersion = keep(hvRegisterModule(u"C:\\Host\\VERSIONED.DLL", {}, HvModuleLoad::onRequest, version));
  HMODULE without = add(u"C:\\Host\\PLAIN.DLL", {}, HvModuleLoad::now);
  HvModuleVersion read;
  EXPECT_FALSE(hvGetModuleVersion(withVersion, read));  // not loaded
  ASSERT_EQ(LoadLibraryW(u"VERSIONED.DLL"), withVersion);
  ASSERT_TRUE(hvGetModuleVersion(withVersion, read));
  EXPECT_EQ(std::tuple(read.file[0], read.product[3]), std::tuple(3, 9));
  EXPECT_FALSE(hvGetModuleVersion(without, read));
  FreeLibrary(withVersion);
}
