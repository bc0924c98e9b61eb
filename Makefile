# The two commands a newcomer needs: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= Release

.PHONY: run test deps configure build screenshots bench clean

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

clean:
	rm -rf $(BUILD_DIR)
