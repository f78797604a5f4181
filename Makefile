# The user's entry point. `make run` and `make test` install what is missing,
# build a Release tree in build/ and then start the application or run every test.

BUILD       ?= build
SAN_BUILD   ?= build-sanitize
FUZZ_BUILD  ?= build-fuzz
PKG_BUILD   ?= build-package
JOBS        ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test test-sanitize bench fuzz format format-check package clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/sheetwright

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j $(JOBS)

# The core and CLI tests again under address and undefined-behaviour sanitizers.
test-sanitize: deps
	@cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSHEETWRIGHT_SANITIZE=ON \
		-DSHEETWRIGHT_BUILD_GUI=OFF -DSHEETWRIGHT_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ctest --output-on-failure --no-tests=error -j $(JOBS) -L core

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

fuzz: deps
	@CC=clang CXX=clang++ cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run-all $(FUZZ_BUILD)

# The Debian package and its debugging symbols (build-package/sheetwright_*.deb,
# sheetwright-dbgsym_*.ddeb): a Release tree of its own compiled with debugging
# information, without the tests and benchmarks, which the package leaves out.
package: deps
	@cmake -S . -B $(PKG_BUILD) -DCMAKE_BUILD_TYPE=Release -DSHEETWRIGHT_DEBUG_SYMBOLS=ON \
		-DSHEETWRIGHT_BUILD_TESTS=OFF -DSHEETWRIGHT_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(PKG_BUILD) -j $(JOBS)
	cd $(PKG_BUILD) && cpack -G DEB
	@for d in $(PKG_BUILD)/*-dbgsym_*.ddeb; do [ ! -e "$$d" ] || packaging/mend-dbgsym "$$d"; done
	lintian --fail-on error,warning $(PKG_BUILD)/sheetwright_*.deb $(PKG_BUILD)/*-dbgsym_*.ddeb

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD) $(PKG_BUILD)
