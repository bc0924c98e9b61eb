# The two commands a newcomer needs: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= Release
# CI turns compiler warnings into errors: `make test WERROR=ON`.
WERROR ?= OFF

.PHONY: run test build screenshots bench clean test-asan fuzz format format-check deb deb-check

CCACHE_FLAG = $(shell command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# $(call configure,DIR,FLAGS,OPTIONS): configures DIR with FLAGS and OPTIONS when it is new, and
# again when one of OPTIONS (NAME=ON|OFF) differs from what DIR's cache holds.
define configure
	@if [ ! -f $(1)/build.ninja ] $(foreach o,$(3),|| ! grep -qx '$(subst =,:BOOL=,$(o))' $(1)/CMakeCache.txt); then \
	  cmake -S . -B $(1) -G Ninja $(2) $(addprefix -D,$(3)); fi
endef

deps-%:
	./scripts/install-deps.sh $*

# `make run` builds the two programs only (no tests, benchmarks or tools) and starts ssq.
run: deps-run
	$(call configure,$(BUILD_DIR),-DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DBUILD_TESTING=OFF $(CCACHE_FLAG),SSQ_WERROR=$(WERROR))
	cmake --build $(BUILD_DIR) --target ssq ssq-cli
	cd $(BUILD_DIR)/bin && ./ssq

build: deps-test
	$(call configure,$(BUILD_DIR),-DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CCACHE_FLAG),BUILD_TESTING=ON SSQ_WERROR=$(WERROR))
	cmake --build $(BUILD_DIR)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

screenshots: build
	cmake --build $(BUILD_DIR) --target screenshots

bench: build
	for b in $(BUILD_DIR)/bin/ssq-bench-*; do $$b; done

# The whole suite under ASan + UBSan (g++), and the fuzz targets (clang, libFuzzer), each in
# its own folder.
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_JOBS ?= 9
SANITIZER_ENV = ASAN_OPTIONS=check_initialization_order=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/sanitizers/lsan.supp:print_suppressions=0

test-asan: deps-test
	$(call configure,$(ASAN_DIR),-DCMAKE_BUILD_TYPE=Debug -DSSQ_SANITIZE=ON $(CCACHE_FLAG),BUILD_TESTING=ON SSQ_WERROR=$(WERROR))
	cmake --build $(ASAN_DIR)
	cd $(ASAN_DIR) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

fuzz: deps-fuzz
	$(call configure,$(FUZZ_DIR),-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DSSQ_FUZZ=ON $(CCACHE_FLAG),BUILD_TESTING=ON SSQ_WERROR=$(WERROR))
	cmake --build $(FUZZ_DIR) --target fuzzers
	$(SANITIZER_ENV) ./scripts/run-fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_JOBS)

# Every C++ file as the repository's .clang-format says (clang-format from Debian).
format: deps-format
	./scripts/check-format.sh --fix

format-check: deps-format
	./scripts/check-format.sh

# The Debian package, built the Debian way (dpkg-buildpackage writes to the parent folder; the
# results are moved to $(DEB_DIR)/). The package build runs no tests (`make test` does:
# DEB_BUILD_OPTIONS=nocheck); ccache is reused when present (debhelper gives the build its own
# HOME, so the cache folder is passed on).
DEB_DIR ?= build-deb
DEB_VERSION = $(shell dpkg-parsechangelog -S Version)
DEB_ARCH = $(shell dpkg --print-architecture)
DEB_FILE = $(DEB_DIR)/ravelko_$(DEB_VERSION)_$(DEB_ARCH).deb
deb: deps-deb
	SSQ_CMAKE_FLAGS="$(CCACHE_FLAG) -DSSQ_WERROR=$(WERROR)" \
	  CCACHE_DIR="$$(ccache -k cache_dir 2>/dev/null)" \
	  DEB_BUILD_OPTIONS="nocheck $$DEB_BUILD_OPTIONS" env -u MAKEFLAGS -u MAKELEVEL \
	  dpkg-buildpackage -b -us -uc
	mkdir -p $(DEB_DIR)
	mv ../ravelko_$(DEB_VERSION)_* $(DEB_DIR)/
	mv ../ravelko-dbgsym_$(DEB_VERSION)_* $(DEB_DIR)/ 2>/dev/null || true
	@echo "Built $(DEB_FILE): sudo apt install ./$(DEB_FILE)"

# The package checked as CI checks it: lintian, the desktop entry, the metainfo, and the unpacked
# programs run with a temporary HOME (under Xvfb for the window).
deb-check: deb deps-test
	./scripts/check-package.sh $(DEB_FILE)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR) $(DEB_DIR)
