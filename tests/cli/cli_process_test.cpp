// The real capter-cli run as a process against real files in a scratch
// folder: destinations that are inputs, links, pipes and devices, folders
// that cannot take the output, and inputs that are not files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/cli/cli_test_support.h"
#include "tests/support/corpus.h"

namespace capter::testing {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs `shell` (a command line in which "CLI" stands for the tool) with
// stdout and stderr caught in files of `dir`.
CommandResult Shell(const ScratchDir& dir, std::string shell) {
  for (size_t at = shell.find("CLI"); at != std::string::npos; at = shell.find("CLI", at)) {
    shell.replace(at, 3, CAPTER_CLI_PATH);
  }
  const std::string out = dir.Path("stdout.txt"), err = dir.Path("stderr.txt");
  const std::string line = "bash -c '" + shell + "' >" + out + " 2>" + err + " </dev/null";
  const int status = std::system(line.c_str());
  CommandResult result;
  result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadAll(out);
  result.err = ReadAll(err);
  return result;
}

class CliProcess : public ::testing::Test {
 protected:
  CliProcess() : dir_("process") {
    const CorpusCase c = FindCorpusCase("p01_pal_text_dejavu");
    vob_ = dir_.Path("v.VOB");
    fs::copy_file(c.vobFiles[0], vob_);
    vobBytes_ = ReadAll(vob_);
    cpt_ = dir_.Path("same.cpt");
    std::ofstream(cpt_, std::ios::binary) << "1\r\n00:00:01,000 --> 00:00:02,000\r\nHello\r\n\r\n";
  }
  std::string Dir() const { return dir_.Path(""); }

  ScratchDir dir_;
  std::string vob_;
  std::string vobBytes_;
  std::string cpt_;
};

// Output onto an input, however spelt or linked, is refused before
// anything is read or written.
TEST_F(CliProcess, NoCommandWritesOverItsInput) {
  fs::create_hard_link(vob_, dir_.Path("hard.VOB"));
  const std::string cd = "cd " + Dir() + " && ";
  for (const std::string& command :
       {cd + "CLI ocr --stream 1 --matrix m.sum -o v.VOB v.VOB",
        cd + "CLI ocr --stream 1 --matrix m.sum --save-matrix ./v.VOB v.VOB",
        cd + "CLI export --stream 1 --sup p --timing hard.VOB v.VOB",
        cd + "CLI convert --format sonic -o ./same.cpt same.cpt"}) {
    const CommandResult r = Shell(dir_, command);
    EXPECT_EQ(r.code, 1) << command << "\n" << r.err;
    EXPECT_NE(r.err.find("refusing to write over it"), std::string::npos) << r.err;
  }
  EXPECT_EQ(ReadAll(vob_), vobBytes_);
  EXPECT_EQ(ReadAll(cpt_), "1\r\n00:00:01,000 --> 00:00:02,000\r\nHello\r\n\r\n");
  EXPECT_FALSE(fs::exists(dir_.Path("m.sum")));
  EXPECT_FALSE(fs::exists(dir_.Path("p000001.sup")));
}

TEST_F(CliProcess, LinksAreFollowedPipesAndStdoutWrittenInPlaceFoldersRefused) {
  std::ofstream(dir_.Path("target.sub")) << "old";
  fs::create_symlink("target.sub", dir_.Path("link.sub"));
  const std::string convert = "CLI convert --format subviewer " + cpt_ + " -o ";
  CommandResult r = Shell(dir_, convert + dir_.Path("link.sub"));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(fs::is_symlink(dir_.Path("link.sub")));
  EXPECT_NE(ReadAll(dir_.Path("target.sub")).find("Hello"), std::string::npos);

  const std::string fifo = dir_.Path("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string piped;
  std::thread reader([&] { piped = ReadAll(fifo); });
  r = Shell(dir_, convert + fifo);
  reader.join();
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_NE(piped.find("Hello"), std::string::npos);
  EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);

  r = Shell(dir_, convert + "/dev/stdout");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("Hello"), std::string::npos);
  EXPECT_TRUE(Shell(dir_, convert + "/dev/null").code == 0);

  r = Shell(dir_, convert + Dir());
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("Is a directory"), std::string::npos) << r.err;
}

// Tried as an ordinary user (root may write anything): a file the user may
// not write is not replaced, and the error names the path once.
TEST_F(CliProcess, AReadOnlyFileIsNotReplaced) {
  if (::geteuid() != 0 && ::access("/usr/bin/setpriv", X_OK) != 0) GTEST_SKIP();
  const std::string keep = dir_.Path("rodir/keep.sub");
  fs::create_directories(dir_.Path("rodir"));
  std::ofstream(keep) << "kept";
  ::chmod(keep.c_str(), 0444);
  ::chmod(dir_.Path("rodir").c_str(), 0777);
  ::chmod(Dir().c_str(), 0755);
  ::chmod(cpt_.c_str(), 0644);
  const std::string asUser =
      ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
  const CommandResult r =
      Shell(dir_, asUser + "CLI convert --format subviewer " + cpt_ + " -o " + keep);
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "capter-cli: " + keep + ": Permission denied\n");
  EXPECT_EQ(ReadAll(keep), "kept");
}

// A destination that cannot be written is found before the first question,
// so no answer is asked for in vain.
TEST_F(CliProcess, AnUnwritableDestinationIsFoundBeforeTeaching) {
  for (const std::string& where :
       {std::string("--save-matrix /missing/dir/m.sum"), "-o " + dir_.Path("missing/out.cpt")}) {
    const CommandResult r = Shell(dir_, "yes x | CLI ocr --stream 1 --teach --matrix " +
                                            dir_.Path("m.sum") + " " + where + " " + vob_);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.find("unknown:"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("No such file or directory"), std::string::npos) << r.err;
  }
}

// A save that still fails at the end (here a file-size limit) leaves what
// could be written written and says what was not. (The limit is set in a
// subshell; its messages reach the caught file through an unlimited cat.)
TEST_F(CliProcess, ASaveThatFailsAtTheEndSaysWhatWasNotWritten) {
  const std::string text = dir_.Path("out.cpt");
  const CommandResult r = Shell(dir_,
                                "set -o pipefail; (trap \"\" XFSZ; ulimit -f 2; yes x | CLI ocr "
                                "--stream 1 --teach --matrix " +
                                    dir_.Path("m.sum") + " --save-matrix " + dir_.Path("m.sum") +
                                    " -o " + text + " " + vob_ + ") 2>&1 >/dev/null | cat >&2");
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("the matrix was not written to " + dir_.Path("m.sum")), std::string::npos)
      << r.err;
  EXPECT_NE(ReadAll(text).find(" --> "), std::string::npos);
}

// Inputs that are not regular files are refused at once, never waited on.
TEST_F(CliProcess, PipesAndDevicesAreRefusedAsInputs) {
  const std::string fifo = dir_.Path("f.vob");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& command :
       {"timeout 20 CLI info " + fifo, "timeout 20 CLI info <(cat " + vob_ + ")",
        std::string("timeout 20 CLI info /dev/zero"),
        std::string("timeout 20 CLI ocr --stream 1 --matrix m.sum /dev/zero")}) {
    const CommandResult r = Shell(dir_, command);
    EXPECT_EQ(r.code, 1) << command;
    EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
  }
}

TEST_F(CliProcess, InfoIntoAFullDeviceFails) {
  const CommandResult r = Shell(dir_, "CLI info " + vob_ + " >/dev/full");
  EXPECT_EQ(r.code, 1);
}

// An interrupted export leaves no temporary file beside the pictures and
// ends as the signal ends a process.
TEST_F(CliProcess, AnInterruptedExportLeavesNoTemporaryFiles) {
  const CorpusCase c = FindCorpusCase("p07_pal_dialogue_serif");
  std::string files;
  for (const std::string& vob : c.vobFiles) files += " " + vob;
  for (int kill = 0; kill < 6; ++kill) {
    const std::string prefix = dir_.Path("k" + std::to_string(kill) + "_p");
    const CommandResult r =
        Shell(dir_, "CLI export --stream 1 --bmp " + prefix + files + " & sleep 0.0" +
                        std::to_string(kill + 2) + "; kill -TERM $! ; wait $!; echo $? >" +
                        dir_.Path("status"));
    const std::string status = ReadAll(dir_.Path("status"));
    EXPECT_TRUE(status == "143\n" || status == "0\n") << status;
  }
  for (const auto& entry : fs::directory_iterator(Dir())) {
    EXPECT_EQ(entry.path().string().find(".tmp-"), std::string::npos) << entry.path();
  }
}

}  // namespace
}  // namespace capter::testing
