#pragma once

#include "tests/support/Registry.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using testing_support::deleteKeyTree;
using testing_support::directoryExists;
using testing_support::fileExists;
using testing_support::keyExists;
using testing_support::readFile;
using testing_support::ScratchFolder;
using testing_support::stored;
using testing_support::storedValue;
using testing_support::StoredValue;
using testing_support::uniqueName;
