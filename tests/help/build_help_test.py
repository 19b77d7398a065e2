#!/usr/bin/env python3
"""The help build's checks: a dialog without a help page, a page that is missing or shared, a link
to nowhere, and a compiled file whose context table does not lead to the pages, are all refused;
the real sources pass and compile to the same bytes twice."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
HELP = os.path.join(ROOT, "help")
IDS = os.path.join(ROOT, "src", "app", "ResourceIds.h")
FAMILY_IDS = ["app/ResourceIds.h", "sheet/SettingsResourceIds.h", "dataedit/DataEditingResourceIds.h"]
sys.path.insert(0, HELP)
import build_help  # noqa: E402



class HelpAgreesWithProgramTest(unittest.TestCase):
    """What the help tells about subscribers follows what the program does."""

    SOURCES = [os.path.join("pipeline", "SubscriberProtocol_win.cpp"), os.path.join("pipeline", "DataStringPipeline.cpp")]
    PATTERNS = [r'logEvent\(\s*"([^"]+)"', r'kszEvent\w*\[\]\s*=\s*"([^"]+)"', r'strEvent = ([^;]*"[^;]*);']

    def event_names(self):
        names = set()
        for source in self.SOURCES:
            with open(os.path.join(ROOT, "src", source), encoding="latin-1") as f:
                text = f.read()
            for pattern in self.PATTERNS:
                for found in re.findall(pattern, text):
                    names.update(re.findall(r'"([^"]+)"', found) or [found])
        return names

    def test_the_event_page_names_every_event_of_subscribers_and_their_deliveries(self):
        names = self.event_names()
        self.assertTrue({"Subscriber Removed", "Subscriber Output", "Keyboard Output"} <= names, names)
        with open(os.path.join(HELP, "event_log.htm"), encoding="latin-1") as f:
            page = f.read()
        self.assertEqual([], sorted(name for name in names if name not in page))

class HelpSourcesTest(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="quilbar-help-test-")
        self.help = os.path.join(self.work, "help")
        shutil.copytree(HELP, self.help)
        # The program's identifiers and the families' files they include, in a tree of their own.
        for family in FAMILY_IDS:
            os.makedirs(os.path.join(self.work, "src", os.path.dirname(family)), exist_ok=True)
            shutil.copyfile(os.path.join(ROOT, "src", family), os.path.join(self.work, "src", family))
        self.ids = os.path.join(self.work, "src", "app", "ResourceIds.h")

    def tearDown(self):
        shutil.rmtree(self.work, ignore_errors=True)

    def edit(self, path, old, new):
        with open(path, encoding="latin-1") as f:
            text = f.read()
        self.assertIn(old, text)
        with open(path, "w", encoding="latin-1") as f:
            f.write(text.replace(old, new))

    def problems(self):
        return "\n".join(build_help.check(self.help, self.ids))

    def test_the_real_sources_give_every_dialog_its_page(self):
        self.assertEqual("", "\n".join(build_help.check(HELP, IDS)))

    def test_each_way_of_losing_a_topic_is_named(self):
        cases = [
            ("a dialog whose alias is gone", "hhp", "IDD_SETTINGS_LOG=page_log.htm\n", "",
             "IDD_SETTINGS_LOG (3004) has no topic"),
            ("a new dialog nobody wrote a page for", "ids", "#define IDD_SETTINGS_LOG 3004",
             "#define IDD_SETTINGS_LOG 3004\n#define IDD_BRAND_NEW 3099", "IDD_BRAND_NEW (3099) has no topic"),
            ("an alias to a page that is not compiled", "hhp", "\npage_log.htm\n", "\n",
             "IDD_SETTINGS_LOG names page_log.htm, which is not in [FILES]"),
            ("two dialogs on one page", "hhp", "IDD_ENTER_PASSWORD=dlg_enter_password.htm",
             "IDD_ENTER_PASSWORD=dlg_set_password.htm", "share dlg_set_password.htm"),
            ("a link to a page that does not exist", "gs1", 'href="expressions.htm"', 'href="expresions.htm"',
             "gs1.htm links to expresions.htm"),
        ]
        paths = {"hhp": os.path.join(self.help, "Quilbar.hhp"),
                 "ids": os.path.join(self.work, "src", "sheet", "SettingsResourceIds.h"),
                 "gs1": os.path.join(self.help, "gs1.htm")}
        for label, which, old, new, expected in cases:
            with self.subTest(label):
                backup = open(paths[which], "rb").read()
                self.edit(paths[which], old, new)
                self.assertIn(expected, self.problems())
                open(paths[which], "wb").write(backup)
                self.assertEqual("", self.problems())


@unittest.skipUnless(shutil.which("chmcmd") and shutil.which("test_chmLib"), "chmcmd and libchm-bin needed")
class CompiledHelpTest(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="quilbar-chm-test-")

    def tearDown(self):
        shutil.rmtree(self.work, ignore_errors=True)

    def compile(self, name, help_dir=HELP, ids=IDS):
        out = os.path.join(self.work, name)
        build_help.build(help_dir, ids, out, self.work)
        return out

    def test_every_context_leads_to_its_page_and_equal_sources_give_equal_bytes(self):
        first = self.compile("first.chm")
        self.assertEqual([], build_help.verify(HELP, IDS, first))
        second = self.compile("second.chm")
        self.assertEqual(open(first, "rb").read(), open(second, "rb").read())
        # The build folder's path must not end up in the file.
        self.assertNotIn(self.work.encode(), open(first, "rb").read())

    def test_verify_notices_a_context_the_compiled_file_lacks(self):
        chm = self.compile("help.chm")
        ids = os.path.join(self.work, "ResourceIds.h")
        with open(IDS) as f:
            text = f.read()
        with open(ids, "w") as f:
            f.write(text + "\n#define IDD_NOT_COMPILED 3098\n")
        problems = "\n".join(build_help.verify(HELP, ids, chm))
        self.assertIn("IDD_NOT_COMPILED (3098) is not in the compiled context table", problems)


if __name__ == "__main__":
    unittest.main()
