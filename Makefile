# Two commands for a newcomer: `make demo` and `make test`. Both install what is missing first.
JOBS ?= $(shell nproc)
BUILD ?= build
BUILD_SAN ?= build-san

.PHONY: deps build build-san demo test test-plain test-san clean

deps:
	@bash scripts/instalar-dependencias.sh

build: deps
	cmake -S . -B $(BUILD) -DRT_SANITIZE=OFF
	cmake --build $(BUILD) -j $(JOBS)

build-san: deps
	cmake -S . -B $(BUILD_SAN) -DRT_SANITIZE=ON
	cmake --build $(BUILD_SAN) -j $(JOBS)

demo: build
	bash scripts/demo.sh $(BUILD)

test-plain: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-san: build-san
	cd $(BUILD_SAN) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

test: test-plain test-san

clean:
	rm -rf $(BUILD) $(BUILD_SAN)
