# The two commands a newcomer needs: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= Release

.PHONY: run test deps configure build screenshots bench clean test-asan fuzz

run: build
	cd $(BUILD_DIR)/bin && ./ssq

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

deps:
	./scripts/install-deps.sh

configure: deps
	@if [ ! -f $(BUILD_DIR)/build.ninja ]; then \
	  cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE); fi

build: configure
	cmake --build $(BUILD_DIR)

screenshots: build
	cmake --build $(BUILD_DIR) --target screenshots

bench: build
	for b in $(BUILD_DIR)/bin/ssq-bench-*; do $$b; done

# The whole suite under ASan + UBSan (g++), and the fuzz targets (clang, libFuzzer), each in
# its own folder.
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_JOBS ?= 8
CCACHE_FLAG = $(shell command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
SANITIZER_ENV = ASAN_OPTIONS=check_initialization_order=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/sanitizers/lsan.supp:print_suppressions=0

test-asan: deps
	@if [ ! -f $(ASAN_DIR)/build.ninja ]; then \
	  cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSSQ_SANITIZE=ON $(CCACHE_FLAG); fi
	cmake --build $(ASAN_DIR)
	cd $(ASAN_DIR) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

fuzz: deps
	@if [ ! -f $(FUZZ_DIR)/build.ninja ]; then \
	  cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
	    -DSSQ_FUZZ=ON $(CCACHE_FLAG); fi
	cmake --build $(FUZZ_DIR) --target fuzzers
	$(SANITIZER_ENV) ./scripts/run-fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_JOBS)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
