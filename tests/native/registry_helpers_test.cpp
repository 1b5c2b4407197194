// The policy of the registry helpers, branch by branch, against the in-memory registry with
// fault injection.

#include <gtest/gtest.h>

#include "message_script.h"
#include "registry/registry.h"
#include "system/error.h"
#include "test_machine.h"

namespace tw {
namespace {

using test::MemoryMachine;

const char kKey[] = "Software\\Trimmwerk\\Deep\\Key";

class RegistryHelpers : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetMachine();
    reg_ = MemoryMachine();
    ASSERT_TRUE(OpenRegistryAccess());
  }
  void TearDown() override {
    CloseRegistryAccess();
    EXPECT_EQ(0u, reg_->OpenHandles()) << "a helper leaked a key handle";
  }
  MemoryRegistry* reg_ = nullptr;
};

Bytes B(std::initializer_list<std::uint8_t> bytes) { return Bytes(bytes); }

TEST_F(RegistryHelpers, ReadersAcceptOnlyTheirOwnType) {
  reg_->PutDword(HKCU, kKey, "dword", 42);
  reg_->PutString(HKCU, kKey, "sz", "text");
  reg_->PutString(HKCU, kKey, "expand", "%windir%", kRegExpandSz);
  reg_->Put(HKCU, kKey, "binary", kRegBinary, {1, 2, 3});
  reg_->Put(HKCU, kKey, "short dword", kRegDword, {1, 2});
  reg_->Put(HKCU, kKey, "multi", kRegMultiSz, {'a', 0, 0});

  EXPECT_EQ(42, ReadRegInteger(HKCU, kKey, "dword", false, -1));
  EXPECT_EQ(-1, ReadRegInteger(HKCU, kKey, "sz", false, -1));
  EXPECT_EQ(-1, ReadRegInteger(HKCU, kKey, "short dword", false, -1));
  EXPECT_EQ(-1, ReadRegInteger(HKCU, kKey, "missing", false, -1));
  EXPECT_EQ(-1, ReadRegInteger(HKCU, "Software\\Missing", "dword", false, -1));

  EXPECT_EQ("text", ReadRegString(HKCU, kKey, "sz", false, "def"));
  EXPECT_EQ("def", ReadRegString(HKCU, kKey, "expand", false, "def"));
  EXPECT_EQ("def", ReadRegString(HKCU, kKey, "multi", false, "def"));
  EXPECT_EQ("def", ReadRegString(HKCU, kKey, "dword", false, "def"));

  EXPECT_EQ(B({1, 2, 3}), ReadRegBinary(HKCU, kKey, "binary", false, B({9})));
  EXPECT_EQ(B({9}), ReadRegBinary(HKCU, kKey, "sz", false, B({9})));
}

TEST_F(RegistryHelpers, StringsAreReadWithinTheirStoredSize) {
  struct Case {
    const char* what;
    Bytes stored;
    std::string expected;
  };
  const Case cases[] = {
      {"terminated", {'a', 'b', 0}, "ab"},
      {"no terminator", {'a', 'b', 'c'}, "abc"},
      {"odd length", {'a', 'b', 'c', 'd', 'e'}, "abcde"},
      {"embedded zero", {'a', 0, 'b', 0}, "a"},
      {"empty", {}, ""},
      {"only a zero", {0}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    reg_->Put(HKCU, kKey, "v", kRegSz, c.stored);
    EXPECT_EQ(c.expected, ReadRegString(HKCU, kKey, "v", false, "def"));
  }
}

TEST_F(RegistryHelpers, BinaryReadsExactlyTheStoredLength) {
  reg_->Put(HKCU, kKey, "empty", kRegBinary, {});
  EXPECT_EQ(Bytes(), ReadRegBinary(HKCU, kKey, "empty", false, B({1})));
  Bytes big(600, 0x5A);
  reg_->Put(HKCU, kKey, "big", kRegBinary, big);
  EXPECT_EQ(big, ReadRegBinary(HKCU, kKey, "big", false, {}));
}

TEST_F(RegistryHelpers, CreateFlagComplainsOnceAndCreatesNothing) {
  test::MessageScript script;
  EXPECT_EQ(5, ReadRegInteger(HKCU, "Software\\Nowhere", "v", true, 5));
  ASSERT_EQ(1u, script.asked.size());
  EXPECT_EQ("Ich will aber nichts erzeugen!", script.asked[0].text);
  EXPECT_EQ(MsgType::Plain, script.asked[0].type);
  EXPECT_FALSE(reg_->HasKey(HKCU, "Software\\Nowhere"));

  reg_->PutString(HKCU, kKey, "s", "x");
  EXPECT_EQ("x", ReadRegString(HKCU, kKey, "s", true, ""));
  EXPECT_EQ(B({}), ReadRegBinary(HKCU, kKey, "s", true, B({})));
  EXPECT_EQ(3u, script.asked.size());
}

TEST_F(RegistryHelpers, WithoutAnAccessorEveryHelperFailsAndTouchesNothing) {
  reg_->PutDword(HKLM, kKey, "v", 1);
  reg_->PutKey(HKLM, "Software\\Tree\\Sub");
  CloseRegistryAccess();

  EXPECT_EQ(7, ReadRegInteger(HKLM, kKey, "v", false, 7));
  EXPECT_EQ("d", ReadRegString(HKLM, kKey, "v", false, "d"));
  EXPECT_EQ(B({3}), ReadRegBinary(HKLM, kKey, "v", false, B({3})));
  EXPECT_FALSE(RegKeyPresent(HKLM, kKey));
  EXPECT_FALSE(RegKeyHasSubKeys(HKLM, "Software\\Tree"));
  EXPECT_FALSE(RegValuePresent(HKLM, kKey, "v"));
  EXPECT_FALSE(WriteRegInteger(HKLM, "Software\\New", "v", 1));
  EXPECT_FALSE(WriteRegString(HKLM, "Software\\New", "v", "x"));
  EXPECT_FALSE(WriteRegExpandString(HKLM, "Software\\New", "v", "x"));
  EXPECT_FALSE(WriteRegBinary(HKLM, "Software\\New", "v", B({1})));
  EXPECT_FALSE(MakeRegKey(HKLM, "Software\\New"));
  EXPECT_FALSE(RemoveRegKey(HKLM, "Software\\Tree"));
  EXPECT_FALSE(RemoveRegValue(HKLM, kKey, "v"));

  EXPECT_FALSE(reg_->HasKey(HKLM, "Software\\New"));
  EXPECT_TRUE(reg_->HasKey(HKLM, "Software\\Tree\\Sub"));
  EXPECT_TRUE(reg_->Get(HKLM, kKey, "v").has_value());
}

TEST_F(RegistryHelpers, WritersCreateEveryMissingLevelAndStoreExactBytes) {
  EXPECT_TRUE(WriteRegInteger(HKLM, kKey, "dword", 0x4000003C));
  EXPECT_TRUE(WriteRegInteger(HKLM, kKey, "negative", -2));
  EXPECT_TRUE(WriteRegString(HKCR, "*\\shell\\open", "", "Mit Notepad öffnen..."));
  EXPECT_TRUE(WriteRegExpandString(HKCU, kKey, "expand", "%windir%\\x"));
  EXPECT_TRUE(WriteRegBinary(HKCU, kKey, "binary", B({0, 1, 2})));
  EXPECT_TRUE(WriteRegBinary(HKCU, kKey, "empty", B({})));

  EXPECT_EQ(kRegDword, reg_->Get(HKLM, kKey, "dword")->type);
  EXPECT_EQ(B({0x3C, 0, 0, 0x40}), reg_->Get(HKLM, kKey, "dword")->data);
  EXPECT_EQ(B({0xFE, 0xFF, 0xFF, 0xFF}), reg_->Get(HKLM, kKey, "negative")->data);
  const auto text = reg_->Get(HKCR, "*\\shell\\open", "");
  ASSERT_TRUE(text);
  EXPECT_EQ(kRegSz, text->type);
  EXPECT_EQ(22u, text->data.size()) << "text plus its terminating zero";
  EXPECT_EQ(0xF6, text->data[12]) << "cp1252 ö";
  EXPECT_EQ(kRegExpandSz, reg_->Get(HKCU, kKey, "expand")->type);
  EXPECT_EQ(B({0, 1, 2}), reg_->Get(HKCU, kKey, "binary")->data);
  EXPECT_EQ(B({}), reg_->Get(HKCU, kKey, "empty")->data);
  EXPECT_EQ(kRegBinary, reg_->Get(HKCU, kKey, "empty")->type);
}

TEST_F(RegistryHelpers, ALeadingBackslashIsIgnored) {
  EXPECT_TRUE(WriteRegInteger(HKCU, "\\Software\\Lead", "v", 3));
  EXPECT_TRUE(RegKeyPresent(HKCU, "\\Software\\Lead"));
  EXPECT_EQ(3, ReadRegInteger(HKCU, "\\Software\\Lead", "v", false, 0));
  EXPECT_TRUE(RemoveRegKey(HKCU, "\\Software\\Lead"));
  EXPECT_FALSE(reg_->HasKey(HKCU, "Software\\Lead"));
}

TEST_F(RegistryHelpers, AnUnwritableExistingKeyMakesWritersReturnFalseAndWriteNothing) {
  reg_->PutDword(HKLM, kKey, "v", 1);
  reg_->DenyWrite(HKLM, "");
  EXPECT_FALSE(WriteRegInteger(HKLM, kKey, "v", 2));
  EXPECT_FALSE(WriteRegString(HKLM, kKey, "s", "x"));
  EXPECT_FALSE(WriteRegBinary(HKLM, kKey, "b", B({1})));
  EXPECT_FALSE(RemoveRegValue(HKLM, kKey, "v"));
  EXPECT_FALSE(RemoveRegKey(HKLM, kKey));
  EXPECT_EQ(B({1, 0, 0, 0}), reg_->Get(HKLM, kKey, "v")->data);
  EXPECT_EQ(1u, reg_->ValueNames(HKLM, kKey).size());
  EXPECT_TRUE(reg_->HasKey(HKLM, kKey));
  // Reading is still allowed.
  EXPECT_EQ(1, ReadRegInteger(HKLM, kKey, "v", false, 0));
}

TEST_F(RegistryHelpers, RefusedCreationRaisesTheGermanErrorWithThePath) {
  reg_->DenyWrite(HKLM, "");
  try {
    WriteRegInteger(HKLM, "\\SOFTWARE\\Neu\\Key", "v", 1);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ("Erzeugung von Schlüssel SOFTWARE\\Neu\\Key misslungen", e.what());
  }
  EXPECT_THROW(MakeRegKey(HKLM, "SOFTWARE\\Neu"), Error);
  EXPECT_FALSE(reg_->HasKey(HKLM, "SOFTWARE\\Neu"));
  // Creation is refused only where it was: HKCU still works.
  EXPECT_TRUE(WriteRegInteger(HKCU, "Software\\Neu", "v", 1));
}

TEST_F(RegistryHelpers, UncreatableKeysRaiseButExistingOnesAreWritten) {
  reg_->PutKey(HKLM, kKey);
  reg_->DenyCreate(HKLM, "");
  EXPECT_TRUE(WriteRegInteger(HKLM, kKey, "v", 1));
  EXPECT_THROW(WriteRegInteger(HKLM, "Software\\Other", "v", 1), Error);
  EXPECT_TRUE(MakeRegKey(HKLM, kKey));
}

TEST_F(RegistryHelpers, RefusedValueWriteRaisesTheGermanErrorWithTheValueName) {
  reg_->DenyValueWrite(HKCU, kKey);
  const auto expectRefused = [](auto write) {
    try {
      write();
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_STREQ("Fehler beim Setzen der Daten für 'Wert'", e.what());
    }
  };
  expectRefused([] { WriteRegInteger(HKCU, kKey, "Wert", 1); });
  expectRefused([] { WriteRegString(HKCU, kKey, "Wert", "x"); });
  expectRefused([] { WriteRegExpandString(HKCU, kKey, "Wert", "x"); });
  expectRefused([] { WriteRegBinary(HKCU, kKey, "Wert", B({1})); });
  EXPECT_TRUE(reg_->ValueNames(HKCU, kKey).empty());
}

TEST_F(RegistryHelpers, MakeRegKeyCreatesOrOpens) {
  EXPECT_TRUE(MakeRegKey(HKLM, "SOFTWARE\\A\\B"));
  reg_->PutDword(HKLM, "SOFTWARE\\A\\B", "keep", 1);
  EXPECT_TRUE(MakeRegKey(HKLM, "software\\a\\b"));
  EXPECT_TRUE(reg_->Get(HKLM, "SOFTWARE\\A\\B", "keep").has_value());
  // A key that is already there needs no write rights to exist afterwards.
  reg_->DenyWrite(HKLM, "");
  EXPECT_TRUE(MakeRegKey(HKLM, "SOFTWARE\\A\\B"));
  EXPECT_THROW(MakeRegKey(HKLM, "SOFTWARE\\A\\C"), Error);
}

TEST_F(RegistryHelpers, RemoveRegKeyDeletesTheWholeSubtree) {
  reg_->PutDword(HKLM, "SOFTWARE\\Ext\\{1}\\Deep\\Deeper", "v", 1);
  reg_->PutDword(HKLM, "SOFTWARE\\Ext\\{2}", "v", 1);
  reg_->PutDword(HKLM, "SOFTWARE\\Ext", "direct", 1);
  reg_->PutKey(HKLM, "SOFTWARE\\Extra");
  EXPECT_TRUE(RemoveRegKey(HKLM, "SOFTWARE\\Ext"));
  EXPECT_FALSE(reg_->HasKey(HKLM, "SOFTWARE\\Ext"));
  EXPECT_TRUE(reg_->HasKey(HKLM, "SOFTWARE\\Extra")) << "a sibling with a longer name stays";
  EXPECT_FALSE(RemoveRegKey(HKLM, "SOFTWARE\\Ext"));
  EXPECT_FALSE(reg_->HasKey(HKLM, "SOFTWARE\\Ext")) << "removing never creates";
}

// All or nothing: a subkey named outside the ANSI code page goes with the tree; one subkey that
// refuses deleting keeps the whole tree, and the refusal is recorded for the report.
TEST_F(RegistryHelpers, RemoveRegKeyDeletesAllOrNothing) {
  const std::u16string wide = u"SOFTWARE\\Tree\\\u65e5\u672c\\\u041a\u043b\u044e\u0447";
  reg_->PutKeyW(HKLM, wide);
  reg_->PutKey(HKLM, "SOFTWARE\\Tree\\Free");
  EXPECT_TRUE(RemoveRegKey(HKLM, "SOFTWARE\\Tree"));
  EXPECT_FALSE(reg_->HasKey(HKLM, "SOFTWARE\\Tree"));
  EXPECT_TRUE(RegistryFailuresSince(0).empty());

  reg_->PutKeyW(HKLM, wide);
  reg_->PutKey(HKLM, "SOFTWARE\\Tree\\Free");
  reg_->PutKey(HKLM, "SOFTWARE\\Tree\\Locked\\Inner");
  reg_->DenyWrite(HKLM, "SOFTWARE\\Tree\\Locked");
  EXPECT_FALSE(RemoveRegKey(HKLM, "SOFTWARE\\Tree"));
  EXPECT_TRUE(reg_->HasKey(HKLM, "SOFTWARE\\Tree\\Free"));
  EXPECT_TRUE(reg_->HasKeyW(HKLM, wide));
  EXPECT_TRUE(reg_->HasKey(HKLM, "SOFTWARE\\Tree\\Locked\\Inner"));
  const std::vector<RegFailure> failures = RegistryFailuresSince(0);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].root, HKLM);
  EXPECT_EQ(failures[0].code, kErrorAccessDenied);
  EXPECT_EQ(reg_->OpenHandles(), 0u);
}

TEST_F(RegistryHelpers, RemoveRegValueNeverCreatesTheKey) {
  EXPECT_FALSE(RemoveRegValue(HKCU, "Software\\Missing", "v"));
  EXPECT_FALSE(reg_->HasKey(HKCU, "Software\\Missing"));
  reg_->PutDword(HKCU, kKey, "v", 1);
  EXPECT_FALSE(RemoveRegValue(HKCU, kKey, "other"));
  EXPECT_TRUE(RemoveRegValue(HKCU, kKey, "V"));
  EXPECT_FALSE(reg_->Get(HKCU, kKey, "v"));
  EXPECT_TRUE(reg_->HasKey(HKCU, kKey));
}

TEST_F(RegistryHelpers, PresenceTests) {
  reg_->PutString(HKCR, "lnkfile", "IsShortcut", "");
  reg_->Put(HKCR, "lnkfile", "odd", 11, {1});
  reg_->PutString(HKCR, "regfile\\shell", "", "open");
  reg_->PutDword(HKLM, "SOFTWARE\\BHO", "v", 1);
  reg_->PutKey(HKLM, "SOFTWARE\\Toolbars\\{x}");

  EXPECT_TRUE(RegValuePresent(HKCR, "lnkfile", "isshortcut"));
  EXPECT_TRUE(RegValuePresent(HKCR, "lnkfile", "odd")) << "any type counts";
  EXPECT_TRUE(RegValuePresent(HKCR, "regfile\\shell", ""));
  EXPECT_FALSE(RegValuePresent(HKCR, "lnkfile", ""));
  EXPECT_FALSE(RegValuePresent(HKCR, "missing", "IsShortcut"));
  EXPECT_TRUE(RegKeyPresent(HKCR, "LNKFILE"));
  EXPECT_FALSE(RegKeyPresent(HKCR, "lnkfile\\sub"));
  EXPECT_FALSE(RegKeyHasSubKeys(HKLM, "SOFTWARE\\BHO")) << "values do not count";
  EXPECT_TRUE(RegKeyHasSubKeys(HKLM, "SOFTWARE\\Toolbars"));
  EXPECT_FALSE(RegKeyHasSubKeys(HKLM, "SOFTWARE\\Missing"));
}

TEST_F(RegistryHelpers, TheBatchGuardClosesTheAccessorOnEveryPath) {
  CloseRegistryAccess();
  try {
    RegistryBatch batch;
    ASSERT_TRUE(batch.opened());
    EXPECT_TRUE(RegistryAccessOpen());
    throw Error("Abbruch");
  } catch (const Error&) {
  }
  EXPECT_FALSE(RegistryAccessOpen());
  SetRegistryBackend(nullptr);
  {
    RegistryBatch batch;
    EXPECT_FALSE(batch.opened());
    EXPECT_FALSE(RegistryAccessOpen());
  }
  EXPECT_FALSE(OpenRegistryAccess());
}

// A backend put in place for a scope takes the batches opened inside it, and the one before it
// is back afterwards, after an exception too, nested scopes innermost first.
TEST_F(RegistryHelpers, TheBackendScopePutsThePreviousBackendBack) {
  CloseRegistryAccess();
  MemoryRegistry outer, inner;
  try {
    RegistryBackendScope onOuter(outer);
    {
      RegistryBackendScope onInner(inner);
      RegistryBatch batch;
      EXPECT_TRUE(WriteRegInteger(HKCU, kKey, "inner", 1));
    }
    EXPECT_EQ(RegistryBackend(), &outer);
    RegistryBatch batch;
    EXPECT_TRUE(WriteRegInteger(HKCU, kKey, "outer", 2));
    throw Error("Abbruch");
  } catch (const Error&) {
  }
  EXPECT_EQ(RegistryBackend(), reg_);
  EXPECT_EQ(inner.ValueNames(HKCU, kKey), std::vector<std::string>{"inner"});
  EXPECT_EQ(outer.ValueNames(HKCU, kKey), std::vector<std::string>{"outer"});
  EXPECT_FALSE(reg_->HasKey(HKCU, kKey));
}

TEST_F(RegistryHelpers, OpenReplacesAnAccessorStillPresent) {
  EXPECT_TRUE(OpenRegistryAccess());
  EXPECT_TRUE(OpenRegistryAccess());
  EXPECT_TRUE(CloseRegistryAccess());
  EXPECT_FALSE(RegistryAccessOpen());
  EXPECT_TRUE(CloseRegistryAccess());
}

}  // namespace
}  // namespace tw
